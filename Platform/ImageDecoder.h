#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum class ImageType { kBmp, kJpg, kGif, kPng, kTga };

struct DecodedImage {
  int width = 0;
  int height = 0;
  // 0xAARRGGBB, top row first, whatever the file's own row order.
  std::vector<std::uint32_t> pixels;
};

// False when the bytes are not a readable image of that type. Safe to call
// from any thread.
bool DecodeImage(const std::uint8_t* data, std::size_t size, ImageType type, DecodedImage* out);

}  // namespace platform
