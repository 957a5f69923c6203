#pragma once

#include <string>
#include <string_view>

// The link of an Internet shortcut file: the "URL=" line of its
// "[InternetShortcut]" section, trimmed. Empty when the text holds none.
std::string ShortcutLink(std::string_view text);
