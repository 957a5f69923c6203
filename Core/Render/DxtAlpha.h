#pragma once

#include <array>
#include <cstdint>

#include "Core/Render/ImageData.h"

namespace render {

// The alpha of the 16 texels of one compressed block, row by row.
using BlockAlpha = std::array<std::uint8_t, 16>;

// The block holds 8 bytes for DXT1, 16 for DXT3 and DXT5.
BlockAlpha DecodeBlockAlpha(ImageCompression compression, const std::uint8_t* block);

}  // namespace render
