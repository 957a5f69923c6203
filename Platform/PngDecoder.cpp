#include "Platform/PngDecoder.h"

#include <png.h>

#include <bit>
#include <new>
#include <utility>
#include <vector>

namespace platform {

// Little-endian BGRA bytes are 0xAARRGGBB words.
static_assert(std::endian::native == std::endian::little);

bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedImage* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  // libpng frees the image itself when either step fails.
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> pixels;
  try {
    pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  } catch (const std::bad_alloc&) {
    png_image_free(&image);
    return false;
  }
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return false;
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->pixels = std::move(pixels);
  return true;
}

}  // namespace platform
