#pragma once

#include <cstddef>
#include <cstdint>

#include "Platform/ImageDecoder.h"

namespace platform {

// What an image file says about itself before any pixel is decoded.
struct ImageHeader {
  // The largest of the file's frames, for files that hold several.
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // The fewest bytes a file of that header can have. Encodings that can
  // describe any number of pixels in a few bytes (RLE bitmaps, GIF, JPEG
  // with arithmetic coding) give only the header's own size.
  std::uint64_t minimumFileSize = 0;
};

// False when the bytes do not begin with a header of that type.
bool ReadImageHeader(const std::uint8_t* data, std::size_t size, ImageType type, ImageHeader* out);

}  // namespace platform
