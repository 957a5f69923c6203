#pragma once

#include <cstddef>
#include <cstdint>

#include "Platform/ImageDecoder.h"

namespace platform {

// PNG files are decoded by libpng itself: through the general image library
// every damaged file left some memory behind.
bool DecodePng(const std::uint8_t* data, std::size_t size, DecodedImage* out);

}  // namespace platform
