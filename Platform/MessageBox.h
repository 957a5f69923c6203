#pragma once

#include <functional>
#include <string>

namespace platform {

// An error box with no owner window. Where no desktop can show one, the text
// goes to the standard error stream instead.
void ShowErrorBox(const std::string& caption, const std::string& text);

// Tests see the boxes instead of a desktop; an empty function gives the
// desktop back.
void OverrideErrorBox(std::function<void(const std::string& caption, const std::string& text)> show);

}  // namespace platform
