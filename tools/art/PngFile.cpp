#include "tools/art/PngFile.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace art {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// One row of premultiplied native-endian ARGB words as straight RGBA bytes.
void StraightRow(const std::uint32_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t pixel = in[x];
    const std::uint32_t alpha = pixel >> 24;
    for (int c = 0; c < 3; ++c) {
      const std::uint32_t value = (pixel >> (16 - 8 * c)) & 0xFF;
      out[4 * x + c] = static_cast<std::uint8_t>(alpha == 0 ? 0 : (value * 255 + alpha / 2) / alpha);
    }
    out[4 * x + 3] = static_cast<std::uint8_t>(alpha);
  }
}

}  // namespace

bool WritePng(cairo_surface_t* surface, const std::filesystem::path& path) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file || !data) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    StraightRow(reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride), width,
                row.data());
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fflush(file.get()) == 0;
}

}  // namespace art
