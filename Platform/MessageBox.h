#pragma once

#include <string>

namespace platform {

// An error box with no owner window. Where no desktop can show one, the text
// goes to the standard error stream instead.
void ShowErrorBox(const std::string& caption, const std::string& text);

}  // namespace platform
