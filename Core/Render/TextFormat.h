#pragma once

#include <cstdint>

namespace render {

enum TextAlignment : std::uint32_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2, kAlignJustify = 3 };

// How a text is laid out in lines: carried by value in every text draw.
struct TextFormat {
  float characterSpacing = 0.0f;  // added to every advance, glyphs and spaces
  float boxWidth = 0.0f;          // above 0: lines wrap so that none is wider
  std::uint32_t alignment = kAlignLeft;
  char16_t lineBreak = u'\n';
  char16_t fallback = 0;  // drawn for characters the font lacks; 0 = none
  float lineSpacing = 0.0f;      // added to the font's line advance
  float firstLineIndent = 0.0f;  // for the first line of every paragraph
  bool justifySingleWords = true;
  // The width that alignment uses: the widest line, else (with a box) the box.
  bool alignToMeasuredWidth = true;
};

}  // namespace render
