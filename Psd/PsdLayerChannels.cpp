#include <algorithm>
#include <array>

#include "Psd/PsdChannelData.h"
#include "Psd/PsdError.h"
#include "Psd/PsdPixels.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

constexpr std::int16_t kTransparencyId = -1;
constexpr std::int16_t kUserMaskId = -2;
constexpr std::int16_t kLastColorId = 3;

// The planes a layer can use, by channel id from -2 to 3; other ids are
// passed over.
struct LayerPlanes {
  std::array<std::vector<std::uint8_t>, 6> byId;
  std::vector<std::uint8_t>* Find(std::int16_t id) {
    return id >= kUserMaskId && id <= kLastColorId ? &byId[static_cast<std::size_t>(id - kUserMaskId)] : nullptr;
  }
  const std::uint8_t* Data(std::int16_t id) {
    const std::vector<std::uint8_t>* plane = Find(id);
    return plane && !plane->empty() ? plane->data() : nullptr;
  }
};

bool HasArea(std::int32_t width, std::int32_t height) { return width > 0 && height > 0; }

void SkipChannels(PsdCursor& cursor, const PsdLayerEntry& entry) {
  for (const PsdChannelInfo& channel : entry.channels) {
    cursor.Skip(static_cast<std::uint32_t>(std::max(channel.storedLength, 0)));
  }
}

void ConvertLayer(const PsdDocument& document, PsdLayerEntry& entry, LayerPlanes& planes) {
  PsdPlanes image;
  image.width = entry.width;
  image.height = entry.height;
  image.depth = document.depth;
  image.alpha = planes.Data(kTransparencyId);
  for (std::int16_t id = 0; id <= kLastColorId; ++id) {
    image.color[id] = planes.Data(id);
  }
  // Multichannel layers keep their fourth ink in the transparency channel.
  if (document.colorMode == 7) {
    image.color[3] = image.alpha;
    image.alpha = nullptr;
  }
  entry.pixels.assign(static_cast<std::size_t>(entry.width) * entry.height, 0);
  ConvertPsdPlanes(document.colorMode, image, PsdDocumentIndexedColors(document), entry.pixels);
}

void CopyMask(const PsdDocument& document, PsdLayerEntry& entry, LayerPlanes& planes) {
  const std::uint8_t* mask = planes.Data(kUserMaskId);
  if (!mask) {
    return;
  }
  const std::size_t step = document.depth == 16 ? 2 : 1;
  entry.maskPlane.resize(static_cast<std::size_t>(entry.maskWidth) * entry.maskHeight);
  for (std::size_t i = 0; i < entry.maskPlane.size(); ++i) {
    entry.maskPlane[i] = mask[i * step];
  }
}

}  // namespace

int ReadPsdLayerChannels(PsdCursor& cursor, PsdDocument& document, PsdLayerEntry& entry) {
  const int depth = document.depth;
  const bool hasPixels = HasArea(entry.width, entry.height);
  const bool hasMask = depth != 1 && HasArea(entry.maskWidth, entry.maskHeight);
  if ((hasPixels && ChargePsdPixels(document, entry.width, entry.height) != kPsdOk) ||
      (hasMask && ChargePsdPixels(document, entry.maskWidth, entry.maskHeight) != kPsdOk)) {
    return kPsdBadDimensions;
  }
  if (!hasPixels && !hasMask) {
    SkipChannels(cursor, entry);
    return kPsdOk;
  }
  LayerPlanes planes;
  for (const PsdChannelInfo& channel : entry.channels) {
    // A channel is its compression code and its data, even when it claims less.
    PsdCursor stored = cursor.Slice(std::max<std::uint64_t>(static_cast<std::uint32_t>(channel.storedLength), 2));
    const std::uint16_t compression = stored.U16();
    if (compression > kPsdZipPredicted) {
      return kPsdBadCompression;
    }
    if (channel.storedLength > 2 && stored.Remaining() < static_cast<std::uint64_t>(channel.storedLength) - 2) {
      return kPsdShortData;
    }
    const bool isMask = channel.id == kUserMaskId;
    std::vector<std::uint8_t>* plane = planes.Find(channel.id);
    if (!plane || (isMask ? !hasMask : !hasPixels)) {
      continue;
    }
    const std::int32_t width = isMask ? entry.maskWidth : entry.width;
    const std::int32_t height = isMask ? entry.maskHeight : entry.height;
    const std::uint64_t rowBytes = PsdRowBytes(static_cast<std::uint64_t>(width), depth);
    // A later channel with the same id replaces an earlier one whole.
    plane->assign(rowBytes * static_cast<std::uint64_t>(height), 0);
    const int result =
        DecodePsdPlane(compression, stored, static_cast<std::uint64_t>(height), rowBytes, static_cast<std::uint64_t>(width), depth, *plane);
    if (result != kPsdOk) {
      return result;
    }
  }
  if (hasPixels) {
    ConvertLayer(document, entry, planes);
  }
  if (hasMask) {
    CopyMask(document, entry, planes);
  }
  return kPsdOk;
}

}  // namespace psd
