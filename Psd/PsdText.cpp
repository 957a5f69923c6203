#include "Psd/PsdText.h"

namespace psd {

namespace {

void AppendCodePoint(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | code >> 6));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | code >> 12));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | code >> 18));
    out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  for (char byte : latin1) {
    AppendCodePoint(out, static_cast<std::uint8_t>(byte));
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  constexpr std::uint32_t kReplacement = 0xFFFD;
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendCodePoint(out, 0x10000 + ((unit - 0xD800u) << 10) + (units[i + 1] - 0xDC00u));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendCodePoint(out, kReplacement);
    } else {
      AppendCodePoint(out, unit);
    }
  }
  return out;
}

}  // namespace psd
