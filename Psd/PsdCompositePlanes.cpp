#include "Psd/PsdCompositePlanes.h"

#include <algorithm>

#include "Psd/PsdChannelData.h"
#include "Psd/PsdPixels.h"

namespace psd {

namespace {

std::int32_t ColorChannelsOfMode(std::uint32_t colorMode) {
  switch (colorMode) {
    case 3:
    case 9:
      return 3;
    case 4:
    case 7:
      return 4;
    default:
      return 1;
  }
}

}  // namespace

void ConvertPsdPlanesByPosition(std::uint32_t colorMode, int depth, std::int64_t width, std::int64_t height,
                                std::span<const std::uint8_t> planes, std::int32_t planeCount,
                                const PsdIndexedColors& indexed, std::span<std::uint32_t> pixels) {
  const std::uint64_t planeSize = PsdRowBytes(static_cast<std::uint64_t>(width), depth) * static_cast<std::uint64_t>(height);
  const auto plane = [&](std::int32_t index) -> const std::uint8_t* {
    if (index < 0 || index >= planeCount || (static_cast<std::uint64_t>(index) + 1) * planeSize > planes.size()) {
      return nullptr;
    }
    return planes.data() + static_cast<std::uint64_t>(index) * planeSize;
  };
  PsdPlanes image;
  image.width = width;
  image.height = height;
  image.depth = depth;
  const std::int32_t colorCount = ColorChannelsOfMode(colorMode);
  const bool hasAlpha = colorMode != 7 && planeCount == colorCount + 1;
  for (std::int32_t i = 0; i < std::min(colorCount, 4); ++i) {
    image.color[i] = plane(i);
  }
  image.alpha = hasAlpha ? plane(colorCount) : nullptr;
  // Multichannel images without a fourth plane use no black ink.
  if (colorMode == 7 && planeCount != 4) {
    image.color[3] = nullptr;
  }
  ConvertPsdPlanes(colorMode, image, indexed, pixels);
}

}  // namespace psd
