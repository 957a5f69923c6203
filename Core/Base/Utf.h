#pragma once

#include <string>
#include <string_view>

#include "Core/Base/WString.h"

namespace base {

// Conversions for text that crosses the edge to the operating system
// (command-line arguments, paths). They never throw: a malformed byte sequence
// or an unpaired surrogate becomes U+FFFD, so a strange file name can never
// stop the program.
WString WideFromUtf8Lenient(std::string_view utf8);
std::string Utf8FromWideLenient(std::u16string_view wide);

// False when some byte sequence of the text is not well-formed UTF-8.
bool IsValidUtf8(std::string_view utf8);

}  // namespace base
