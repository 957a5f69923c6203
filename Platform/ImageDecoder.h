#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class ImageType { kBmp, kJpg, kGif, kPng, kTga };

// No image file of this game comes near it; a header that claims more is
// damaged, and its pixels are never allocated.
constexpr std::uint64_t kMaxImagePixels = 16384ull * 16384ull;

struct DecodedImage {
  int width = 0;
  int height = 0;
  // 0xAARRGGBB, top row first, whatever the file's own row order.
  std::vector<std::uint32_t> pixels;
};

// False, with the reason, when the bytes are not a readable image of that
// type. The header is checked first: a side longer than maxSide, more than
// kMaxImagePixels pixels, or fewer bytes than the claimed pixels need refuse
// the file before anything is decoded. Safe to call from any thread.
bool DecodeImage(const std::uint8_t* data, std::size_t size, ImageType type, int maxSide, DecodedImage* out,
                 std::string* error);

}  // namespace platform
