#include "Core/Base/TextConversion.h"

#include <algorithm>
#include <iterator>

#include "Core/Base/Utf.h"

namespace base {

// Code 0 reads bytes as Latin-1 (0x80..0xFF widen to U+0080..U+00FF) rather
// than as signed chars: a stray high byte in a resource name then shows as the
// character it most likely meant, and narrowing takes the low byte back, so
// every byte survives the round trip.
WString ToWide(std::string_view text, unsigned encoding) {
  switch (encoding) {
    case kEncodingBytes: {
      WString wide(text.size(), u'\0');
      std::transform(text.begin(), text.end(), wide.begin(),
                     [](char byte) { return static_cast<WChar>(static_cast<unsigned char>(byte)); });
      return wide;
    }
    case kEncodingUtf8:
    case kEncodingAnsi:
    case kEncodingOem:
      return WideFromUtf8Lenient(text);
  }
  return {};
}

std::string ToNarrow(std::u16string_view text, unsigned encoding) {
  switch (encoding) {
    case kEncodingBytes: {
      std::string narrow(text.size(), '\0');
      std::transform(text.begin(), text.end(), narrow.begin(),
                     [](WChar unit) { return static_cast<char>(unit & 0xFF); });
      return narrow;
    }
    case kEncodingUtf8:
    case kEncodingAnsi:
    case kEncodingOem:
      return Utf8FromWideLenient(text);
  }
  return {};
}

}  // namespace base

std::string RemoveChar(std::string_view text, char removed) {
  std::string kept;
  kept.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [removed](char c) { return c != removed; });
  return kept;
}
