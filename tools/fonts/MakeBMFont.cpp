// Renders a TrueType face into a BMFont: make_bmfont <face.ttf> <pixel size>
// <output path without extension>.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FontFiles.h"
#include "GlyphAtlas.h"

namespace {

// Printable ASCII, Latin-1 and the basic Cyrillic block.
std::vector<std::uint32_t> Repertoire() {
  std::vector<std::uint32_t> codes;
  for (std::uint32_t code = 0x20; code <= 0x7E; ++code) codes.push_back(code);
  for (std::uint32_t code = 0xA0; code <= 0xFF; ++code) codes.push_back(code);
  for (std::uint32_t code = 0x400; code <= 0x45F; ++code) codes.push_back(code);
  return codes;
}

// The 32-pixel fonts fit on one page; the larger ones take several.
constexpr int kPageSize = 512;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <face.ttf> <pixel size> <output path without extension>\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[2]);
  if (size <= 0 || size > 256) {
    std::fprintf(stderr, "the size must be between 1 and 256\n");
    return 2;
  }
  fonts::GlyphAtlas atlas;
  if (!fonts::BuildAtlas(argv[1], size, Repertoire(), kPageSize, &atlas)) return 1;
  if (!fonts::WriteFont(atlas, argv[3])) return 1;
  std::printf("%s: %zu glyphs, %zu kerning pairs, %d page(s)\n", argv[3], atlas.glyphs.size(), atlas.kernings.size(),
              atlas.pageCount);
  return 0;
}
