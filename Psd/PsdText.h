#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace psd {

// Conversions to UTF-8 that never fail: an unpaired surrogate becomes U+FFFD.
// One-byte names are stored in Mac Roman, whatever system wrote them.
std::string MacRomanToUtf8(std::string_view macRoman);
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace psd
