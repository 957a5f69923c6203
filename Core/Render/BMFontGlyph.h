#pragma once

#include <cstdint>
#include <map>

namespace render {

// Where one character's picture lies on its page and how it sits on a line.
struct BMFontGlyph {
  float x = 0.0f;  // rectangle on the page, in pixels
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  float xOffset = 0.0f;  // from the pen and from the top of the line
  float yOffset = 0.0f;
  float xAdvance = 0.0f;
  std::uint32_t page = 0;
  std::uint32_t channel = 0;
  // Amount added before this glyph when it follows the keyed character.
  std::map<char16_t, float> kernings;

  float KerningAfter(char16_t previous) const {
    const auto found = kernings.find(previous);
    return found == kernings.end() ? 0.0f : found->second;
  }
};

using BMFontGlyphMap = std::map<char16_t, BMFontGlyph>;

}  // namespace render
