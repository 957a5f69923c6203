#include "Core/Base/Utf.h"

#include <iterator>

#include <utf8cpp/utf8.h>

namespace base {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

WString WideFromUtf8Lenient(std::string_view utf8) {
  std::string valid;
  utf8::replace_invalid(utf8.begin(), utf8.end(), std::back_inserter(valid), kReplacement);
  WString wide;
  utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(wide));
  return wide;
}

std::string Utf8FromWideLenient(std::u16string_view wide) {
  std::string utf8;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    char32_t codePoint = unit;
    if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      codePoint = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      codePoint = kReplacement;
    }
    utf8::append(codePoint, std::back_inserter(utf8));
  }
  return utf8;
}

bool IsValidUtf8(std::string_view utf8) { return utf8::is_valid(utf8.begin(), utf8.end()); }

}  // namespace base
