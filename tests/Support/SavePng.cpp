#include "tests/Support/SavePng.h"

#include <png.h>

#include <cstdio>

namespace testing_support {

bool SavePng(const std::filesystem::path& path, const std::vector<std::uint32_t>& argb, int width, int height) {
  if (width <= 0 || height <= 0 || argb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return false;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
    rgb[i * 3] = static_cast<png_byte>(argb[i] >> 16);
    rgb[i * 3 + 1] = static_cast<png_byte>(argb[i] >> 8);
    rgb[i * 3 + 2] = static_cast<png_byte>(argb[i]);
  }
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace testing_support
