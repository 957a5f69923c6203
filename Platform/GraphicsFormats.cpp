#include "Platform/GraphicsFormats.h"

#include <algorithm>

namespace platform {
namespace {

int BlockBytes(TextureFormat format) { return format == TextureFormat::kDxt1 ? 8 : 16; }

int Blocks(int extent) { return std::max(1, (extent + 3) / 4); }

}  // namespace

int LevelExtent(int extent, int level) { return std::max(1, extent >> level); }

int RowPitch(TextureFormat format, int width) {
  return format == TextureFormat::kArgb8 ? width * 4 : Blocks(width) * BlockBytes(format);
}

std::size_t LevelBytes(TextureFormat format, int width, int height) {
  const int rows = format == TextureFormat::kArgb8 ? height : Blocks(height);
  return static_cast<std::size_t>(RowPitch(format, width)) * static_cast<std::size_t>(rows);
}

}  // namespace platform
