#pragma once

#include <string>
#include <string_view>

#include "Core/Base/WString.h"

namespace base {

// The codes callers pass to ToWide and ToNarrow. ANSI and OEM were Windows code
// pages; here they are UTF-8 like code 1, so a path keeps every character.
enum TextEncoding : unsigned {
  kEncodingBytes = 0,  // one byte per UTF-16 unit
  kEncodingUtf8 = 1,
  kEncodingAnsi = 2,
  kEncodingOem = 3,
};

// Neither throws: malformed UTF-8 and unpaired surrogates become U+FFFD. A code
// other than the four above gives an empty string.
WString ToWide(std::string_view text, unsigned encoding);
std::string ToNarrow(std::u16string_view text, unsigned encoding);

}  // namespace base

std::string RemoveChar(std::string_view text, char removed);
