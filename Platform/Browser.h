#pragma once

#include <functional>
#include <string>

namespace platform {

// Hands a link to the desktop's browser; nothing happens where there is none.
void OpenUrl(const std::string& url);

// Tests see the links instead of a browser; an empty function gives the
// browser back.
void OverrideUrlOpener(std::function<void(const std::string& url)> open);

}  // namespace platform
