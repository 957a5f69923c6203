#pragma once

#include <cstdint>

#include "Core/Base/WString.h"
#include "Core/Render/BMFontGlyph.h"
#include "Core/Render/TextFormat.h"
#include "Core/Render/TextLayoutList.h"

namespace render {

// One laid-out line: a range of the text and how it sits in the text's box.
struct TextLine {
  float width = 0.0f;
  std::uint32_t first = 0;  // index of its first character in the text
  std::uint32_t count = 0;
  std::uint32_t spaceCount = 0;
  float xOffset = 0.0f;  // the first-line indent of a paragraph's first line
  // Only a line that wrapped is stretched by justification.
  bool justifiable = false;
};

inline constexpr std::size_t kTextLinesInPlace = 1024;
using TextLines = TextLayoutList<TextLine, kTextLinesInPlace>;

// The glyph each character is laid out and drawn with.
struct TextGlyphs {
  const BMFontGlyphMap& glyphs;
  // Stands in for characters without a glyph; null: they are skipped.
  const BMFontGlyph* fallback = nullptr;

  const BMFontGlyph* Find(char16_t character) const {
    const auto found = glyphs.find(character);
    return found == glyphs.end() ? fallback : &found->second;
  }
};

inline bool IsTextSpace(char16_t character) { return character == u' ' || character == u'\t'; }

// The kerning of the character at index against the one before it in the
// text (none for the first).
float KerningAt(const base::WString& text, std::size_t index, const BMFontGlyph& glyph);

// Breaks the text into lines at the format's line-break character and, when
// the format has a box width, wraps at spaces, or inside a word that alone is
// wider than the box. Spaces at a wrap or at the end belong to no line.
void LayoutLines(const base::WString& text, const TextFormat& format, const TextGlyphs& glyphs, TextLines* lines);

// Where a line's pen starts and what justification adds after each space
// and after each other character.
struct TextLinePlacement {
  float penX = 0.0f;
  float extraPerSpace = 0.0f;
  float extraPerCharacter = 0.0f;
};

// For a text whose alignment width is width.
TextLinePlacement PlaceLine(const TextLine& line, float width, const TextFormat& format);

}  // namespace render
