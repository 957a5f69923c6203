// libFuzzer entry for bitmap font descriptions: the input is read as a font
// without a Render (so its pages are refused), and a font that reads lays a
// text out in each alignment, in a box and without one.
#include <cstddef>
#include <cstdint>

#include "Core/Base/MemoryStream.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/TextFormat.h"

namespace {

// Spaces, a kerning pair, a line break, a word too long for a narrow box and
// a character that fonts lack.
constexpr char16_t kText[] = u"AV To  wrap\nunbreakablewordwrapped \u2603 end ";

void LayOut(render::BMFont& font) {
  for (const float boxWidth : {0.0f, 40.0f}) {
    for (const std::uint32_t alignment :
         {render::kAlignLeft, render::kAlignRight, render::kAlignCenter, render::kAlignJustify}) {
      render::TextFormat format;
      format.boxWidth = boxWidth;
      format.alignment = alignment;
      format.fallback = u'?';
      format.firstLineIndent = 3.0f;
      float size[2] = {};
      font.DrawText(nullptr, nullptr, kText, format, size);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::MemoryStream stream(data, static_cast<std::uint32_t>(size));
  render::BMFont font;
  if (font.LoadXml(stream) == QL_OK) LayOut(font);
  return 0;
}
