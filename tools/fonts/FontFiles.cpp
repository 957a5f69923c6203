#include "FontFiles.h"

#include <png.h>
#include <tinyxml2.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace fonts {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool WritePng(const std::string& path, int size, const std::vector<std::uint8_t>& rgba) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  const auto side = static_cast<png_uint_32>(size);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int row = 0; row < size; ++row) {
    png_write_row(png, rgba.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(size) * 4);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::vector<std::uint8_t> PagePixels(const GlyphAtlas& atlas, int page) {
  const auto side = static_cast<std::size_t>(atlas.pageSize);
  std::vector<std::uint8_t> rgba(side * side * 4, 0);
  // White everywhere, so that filtering at a glyph's edge never darkens it.
  for (std::size_t i = 0; i < side * side; ++i) rgba[i * 4] = rgba[i * 4 + 1] = rgba[i * 4 + 2] = 255;
  for (const AtlasGlyph& glyph : atlas.glyphs) {
    if (glyph.page != page) continue;
    for (int row = 0; row < glyph.height; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        const std::size_t target = (static_cast<std::size_t>(glyph.y + row) * side + glyph.x + column) * 4 + 3;
        rgba[target] = glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
      }
    }
  }
  return rgba;
}

std::string PageFileName(const std::string& stem, int page) { return stem + "_" + std::to_string(page) + ".png"; }

bool WriteDescription(const GlyphAtlas& atlas, const std::string& path, const std::string& stem) {
  tinyxml2::XMLPrinter printer;
  printer.PushHeader(false, true);
  printer.OpenElement("font");
  printer.OpenElement("info");
  printer.PushAttribute("face", atlas.face.c_str());
  printer.PushAttribute("size", atlas.size);
  printer.PushAttribute("bold", atlas.bold ? 1 : 0);
  printer.PushAttribute("italic", atlas.italic ? 1 : 0);
  printer.PushAttribute("charset", "");
  printer.PushAttribute("unicode", 1);
  printer.PushAttribute("stretchH", 100);
  printer.PushAttribute("smooth", 1);
  printer.PushAttribute("aa", 1);
  printer.PushAttribute("padding", "0,0,0,0");
  const std::string spacing = std::to_string(atlas.spacing) + "," + std::to_string(atlas.spacing);
  printer.PushAttribute("spacing", spacing.c_str());
  printer.PushAttribute("outline", 0);
  printer.CloseElement();

  printer.OpenElement("common");
  printer.PushAttribute("lineHeight", atlas.lineHeight);
  printer.PushAttribute("base", atlas.base);
  printer.PushAttribute("scaleW", atlas.pageSize);
  printer.PushAttribute("scaleH", atlas.pageSize);
  printer.PushAttribute("pages", atlas.pageCount);
  printer.PushAttribute("packed", 0);
  printer.PushAttribute("alphaChnl", 0);
  printer.PushAttribute("redChnl", 4);
  printer.PushAttribute("greenChnl", 4);
  printer.PushAttribute("blueChnl", 4);
  printer.CloseElement();

  printer.OpenElement("pages");
  for (int page = 0; page < atlas.pageCount; ++page) {
    printer.OpenElement("page");
    printer.PushAttribute("id", page);
    printer.PushAttribute("file", PageFileName(stem, page).c_str());
    printer.CloseElement();
  }
  printer.CloseElement();

  printer.OpenElement("chars");
  printer.PushAttribute("count", static_cast<int>(atlas.glyphs.size()));
  for (const AtlasGlyph& glyph : atlas.glyphs) {
    printer.OpenElement("char");
    printer.PushAttribute("id", glyph.code);
    printer.PushAttribute("x", glyph.x);
    printer.PushAttribute("y", glyph.y);
    printer.PushAttribute("width", glyph.width);
    printer.PushAttribute("height", glyph.height);
    printer.PushAttribute("xoffset", glyph.xOffset);
    printer.PushAttribute("yoffset", glyph.yOffset);
    printer.PushAttribute("xadvance", glyph.xAdvance);
    printer.PushAttribute("page", glyph.page);
    // 15: all four channels of the page, as BMFont writes for packed-free fonts.
    printer.PushAttribute("chnl", 15);
    printer.CloseElement();
  }
  printer.CloseElement();

  printer.OpenElement("kernings");
  printer.PushAttribute("count", static_cast<int>(atlas.kernings.size()));
  for (const KerningPair& pair : atlas.kernings) {
    printer.OpenElement("kerning");
    printer.PushAttribute("first", pair.first);
    printer.PushAttribute("second", pair.second);
    printer.PushAttribute("amount", pair.amount);
    printer.CloseElement();
  }
  printer.CloseElement();
  printer.CloseElement();

  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  const auto length = static_cast<std::size_t>(printer.CStrSize() - 1);
  return std::fwrite(printer.CStr(), 1, length, file.get()) == length;
}

}  // namespace

bool WriteFont(const GlyphAtlas& atlas, const std::string& basePath) {
  const std::filesystem::path base(basePath);
  std::error_code error;
  std::filesystem::create_directories(base.parent_path(), error);
  const std::string stem = base.filename().string();
  for (int page = 0; page < atlas.pageCount; ++page) {
    const std::string path = (base.parent_path() / PageFileName(stem, page)).string();
    if (!WritePng(path, atlas.pageSize, PagePixels(atlas, page))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return false;
    }
  }
  if (!WriteDescription(atlas, basePath + ".fnt", stem)) {
    std::fprintf(stderr, "cannot write %s.fnt\n", basePath.c_str());
    return false;
  }
  return true;
}

}  // namespace fonts
