#include "GlyphAtlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <memory>

namespace fonts {

namespace {

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;
using Face = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceCloser>;

int Round26Dot6(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

bool RenderGlyph(FT_Face face, std::uint32_t code, int base, AtlasGlyph* glyph) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows != 0) return false;
  glyph->code = code;
  glyph->width = static_cast<int>(bitmap.width);
  glyph->height = static_cast<int>(bitmap.rows);
  glyph->xOffset = slot->bitmap_left;
  glyph->yOffset = base - slot->bitmap_top;
  glyph->xAdvance = Round26Dot6(slot->advance.x);
  glyph->coverage.resize(static_cast<std::size_t>(glyph->width) * static_cast<std::size_t>(glyph->height));
  for (int row = 0; row < glyph->height; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    std::copy(source, source + glyph->width, glyph->coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph->width);
  }
  return true;
}

// Shelves, tallest glyphs first, so that each row wastes little height.
void Pack(GlyphAtlas* atlas) {
  std::vector<AtlasGlyph*> order;
  for (AtlasGlyph& glyph : atlas->glyphs) order.push_back(&glyph);
  std::stable_sort(order.begin(), order.end(),
                   [](const AtlasGlyph* a, const AtlasGlyph* b) { return a->height > b->height; });
  const int gap = atlas->spacing;
  int page = 0;
  int x = gap;
  int y = gap;
  int shelf = 0;
  for (AtlasGlyph* glyph : order) {
    if (glyph->width == 0 || glyph->height == 0) continue;
    if (x + glyph->width + gap > atlas->pageSize) {
      x = gap;
      y += shelf + gap;
      shelf = 0;
    }
    if (y + glyph->height + gap > atlas->pageSize) {
      ++page;
      x = gap;
      y = gap;
      shelf = 0;
    }
    glyph->page = page;
    glyph->x = x;
    glyph->y = y;
    x += glyph->width + gap;
    shelf = std::max(shelf, glyph->height);
  }
  atlas->pageCount = page + 1;
}

void FindKernings(FT_Face face, GlyphAtlas* atlas) {
  if (!FT_HAS_KERNING(face)) return;
  for (const AtlasGlyph& left : atlas->glyphs) {
    const FT_UInt leftIndex = FT_Get_Char_Index(face, left.code);
    for (const AtlasGlyph& right : atlas->glyphs) {
      FT_Vector delta{};
      if (FT_Get_Kerning(face, leftIndex, FT_Get_Char_Index(face, right.code), FT_KERNING_DEFAULT, &delta) != 0) {
        continue;
      }
      const int amount = Round26Dot6(delta.x);
      if (amount != 0) atlas->kernings.push_back({left.code, right.code, amount});
    }
  }
}

}  // namespace

bool BuildAtlas(const std::string& fontPath, int pixelSize, const std::vector<std::uint32_t>& codes, int pageSize,
                GlyphAtlas* atlas) {
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) {
    std::fprintf(stderr, "FreeType cannot start\n");
    return false;
  }
  const Library library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), fontPath.c_str(), 0, &rawFace) != 0) {
    std::fprintf(stderr, "cannot open the face %s\n", fontPath.c_str());
    return false;
  }
  const Face face(rawFace);
  if (FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    std::fprintf(stderr, "%s has no size %d\n", fontPath.c_str(), pixelSize);
    return false;
  }
  const FT_Size_Metrics& metrics = face->size->metrics;
  atlas->face = std::string(face->family_name ? face->family_name : "") + " " +
                (face->style_name ? face->style_name : "");
  atlas->bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  atlas->italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  atlas->size = pixelSize;
  atlas->base = Round26Dot6(metrics.ascender);
  atlas->lineHeight = Round26Dot6(metrics.height);
  atlas->pageSize = pageSize;
  atlas->spacing = 2;
  for (const std::uint32_t code : codes) {
    AtlasGlyph glyph;
    if (RenderGlyph(face.get(), code, atlas->base, &glyph)) atlas->glyphs.push_back(std::move(glyph));
  }
  Pack(atlas);
  FindKernings(face.get(), atlas);
  return true;
}

}  // namespace fonts
