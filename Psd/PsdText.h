#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace psd {

// Conversions to UTF-8 that never fail: an unpaired surrogate becomes U+FFFD.
std::string Latin1ToUtf8(std::string_view latin1);
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace psd
