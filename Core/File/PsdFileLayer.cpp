#include "Core/File/PsdFileLayer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "Psd/PsdDocument.h"

namespace file {

namespace {

// The file's coordinates may lie anywhere in 32 bits; the centre is computed
// wider and kept within them.
std::int32_t Centre(std::int32_t start, std::int32_t length) {
  const std::int64_t centre = std::int64_t{start} + length / 2;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(centre, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

base::ImageInfo Describe(const psd::PsdLayerEntry& entry, base::WString pathName, int index, float scale) {
  const bool box = pathName.find(u"|box") != base::WString::npos;
  if (!box && pathName.find(u"|center") != base::WString::npos) {
    return base::ImageInfo(std::move(pathName), Centre(entry.left, entry.width), Centre(entry.top, entry.height), 0, 0,
                           entry.opacity, index, false, true, scale);
  }
  return base::ImageInfo(std::move(pathName), entry.left, entry.top, entry.width, entry.height, entry.opacity, index,
                         !box, true, scale);
}

}  // namespace

PsdFileLayer::PsdFileLayer(const psd::PsdLayerEntry& entry, base::WString pathName, int index, float scale)
    : base::ImageInfo(Describe(entry, std::move(pathName), index, scale)), entry_(&entry) {}

}  // namespace file
