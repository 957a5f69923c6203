// libFuzzer entry for text conversion: the input is taken as bytes, as UTF-8
// and as UTF-16 units. Bytes survive their round trip, and whatever a
// conversion makes converts back and forth unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <utf8cpp/utf8.h>

#include "Core/Base/TextConversion.h"
#include "tests/Support/FuzzCheck.h"

namespace {

using fuzz_support::Check;

void CheckBytes(std::string_view bytes) {
  Check(base::ToNarrow(base::ToWide(bytes, base::kEncodingBytes), base::kEncodingBytes) == bytes,
        "bytes survive their round trip");
}

void CheckUtf8(std::string_view text) {
  const base::WString wide = base::ToWide(text, base::kEncodingUtf8);
  const std::string narrow = base::ToNarrow(wide, base::kEncodingUtf8);
  Check(utf8::is_valid(narrow.begin(), narrow.end()), "narrowed text is valid UTF-8");
  Check(base::ToWide(narrow, base::kEncodingUtf8) == wide, "converted text converts back unchanged");
  if (utf8::is_valid(text.begin(), text.end())) Check(narrow == text, "valid UTF-8 survives its round trip");
  for (const unsigned encoding : {base::kEncodingAnsi, base::kEncodingOem}) {
    Check(base::ToWide(text, encoding) == wide, "the code pages read as UTF-8");
  }
  Check(base::ToWide(text, 7).empty(), "an unknown encoding gives nothing");
}

void CheckUtf16(std::u16string_view wide) {
  const std::string narrow = base::ToNarrow(wide, base::kEncodingUtf8);
  Check(utf8::is_valid(narrow.begin(), narrow.end()), "narrowed text is valid UTF-8");
  const base::WString back = base::ToWide(narrow, base::kEncodingUtf8);
  Check(back.size() == wide.size(), "every unit or pair has its character or a replacement");
  Check(base::ToNarrow(back, base::kEncodingUtf8) == narrow, "converted text converts back unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckBytes(bytes);
  CheckUtf8(bytes);
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  CheckUtf16(units);
  return 0;
}
