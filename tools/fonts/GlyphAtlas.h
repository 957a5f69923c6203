#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fonts {

// One character's picture and where it went on the pages.
struct AtlasGlyph {
  std::uint32_t code = 0;
  int x = 0;  // on its page
  int y = 0;
  int width = 0;
  int height = 0;
  int xOffset = 0;  // from the pen, and from the top of the line
  int yOffset = 0;
  int xAdvance = 0;
  int page = 0;
  std::vector<std::uint8_t> coverage;  // width x height, top row first
};

struct KerningPair {
  std::uint32_t first = 0;
  std::uint32_t second = 0;
  int amount = 0;
};

// A TrueType face rendered at one pixel size and packed onto square pages.
struct GlyphAtlas {
  std::string face;
  bool bold = false;
  bool italic = false;
  int size = 0;
  int lineHeight = 0;
  int base = 0;
  int pageSize = 0;
  int spacing = 0;  // empty pixels around every glyph on a page
  int pageCount = 0;
  std::vector<AtlasGlyph> glyphs;
  std::vector<KerningPair> kernings;
};

// Renders every code of the list that the face has; false with a message on
// stderr when the face cannot be opened.
bool BuildAtlas(const std::string& fontPath, int pixelSize, const std::vector<std::uint32_t>& codes, int pageSize,
                GlyphAtlas* atlas);

}  // namespace fonts
