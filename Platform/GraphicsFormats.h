#pragma once

#include <cstddef>

namespace platform {

// Pixel layouts of textures. kArgb8 is 32 bits per pixel, 0xAARRGGBB in a
// little-endian word; the DXT formats are 4×4 blocks of 8 (DXT1) or 16 bytes.
enum class TextureFormat { kArgb8, kDxt1, kDxt3, kDxt5 };

// Width or height of a mip level: halved per level, never below 1.
int LevelExtent(int extent, int level);

// Bytes from one row to the next: a row of pixels, or a row of blocks.
int RowPitch(TextureFormat format, int width);

// Bytes of a whole level of that width and height.
std::size_t LevelBytes(TextureFormat format, int width, int height);

}  // namespace platform
