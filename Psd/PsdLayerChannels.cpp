#include <algorithm>
#include <array>
#include <optional>

#include "Psd/PsdChannelData.h"
#include "Psd/PsdError.h"
#include "Psd/PsdPixels.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

constexpr std::int16_t kUserMaskId = -2;
constexpr std::int16_t kTransparencyId = -1;
constexpr std::int16_t kLastColorId = 3;

bool HasArea(std::int32_t width, std::int32_t height) { return width > 0 && height > 0; }

bool IsPlaneId(std::int16_t id) { return id >= kUserMaskId && id <= kLastColorId; }
std::size_t Slot(std::int16_t id) { return static_cast<std::size_t>(id - kUserMaskId); }

const std::uint8_t* PlaneData(const PsdLayerPlanes& planes, std::int16_t id) {
  const std::vector<std::uint8_t>& plane = planes.byId[Slot(id)];
  return plane.empty() ? nullptr : plane.data();
}

// One channel as stored: its compression and the data after the code.
struct StoredChannel {
  std::uint16_t compression = 0;
  PsdCursor data;
};

// Only the last channel of each id is decoded: it would replace an earlier
// one whole, and a file could otherwise make every channel it lists repeat
// the work of one plane.
struct ChannelLayout {
  std::array<std::optional<StoredChannel>, 6> lastById;
  std::uint64_t storedBytes = 0;
  bool unknownCompression = false;
};

int LayOutChannels(PsdCursor cursor, const PsdLayerEntry& entry, ChannelLayout& layout) {
  for (const PsdChannelInfo& channel : entry.channels) {
    // A channel is its compression code and its data, even when it claims less.
    const std::uint64_t length = std::max<std::uint64_t>(static_cast<std::uint32_t>(channel.storedLength), 2);
    if (length > cursor.Remaining()) {
      return kPsdShortData;
    }
    PsdCursor stored = cursor.Slice(length);
    const std::uint16_t compression = stored.U16();
    layout.unknownCompression = layout.unknownCompression || compression > kPsdZipPredicted;
    if (IsPlaneId(channel.id)) {
      layout.lastById[Slot(channel.id)] = StoredChannel{compression, stored};
    }
    layout.storedBytes += length;
  }
  return kPsdOk;
}

struct PlaneShape {
  std::uint64_t width = 0;
  std::uint64_t rows = 0;
  std::uint64_t rowBytes = 0;
  std::uint64_t Bytes() const { return rows * rowBytes; }
};

PlaneShape ShapeOf(std::int32_t width, std::int32_t height, int depth) {
  const std::uint64_t samples = static_cast<std::uint64_t>(width);
  return {samples, static_cast<std::uint64_t>(height), PsdRowBytes(samples, depth)};
}

bool CanFill(const StoredChannel& channel, const PlaneShape& shape) {
  return PsdMaxUnpackedBytes(channel.compression, channel.data.Remaining(), shape.rows) >= shape.Bytes();
}

// What a layer decodes: its image when one of its colour or transparency
// channels holds enough data to fill it, its user mask when the mask's own
// channel does (a mask it cannot fill is left out).
struct LayerPlan {
  ChannelLayout layout;
  PlaneShape image;
  PlaneShape mask;
  bool decodesImage = false;
  bool decodesMask = false;

  std::uint64_t DecodedBytes() const {
    std::uint64_t bytes = 0;
    if (decodesImage) {
      const auto imagePlanes = std::count_if(layout.lastById.begin() + 1, layout.lastById.end(),
                                             [](const auto& channel) { return channel.has_value(); });
      bytes += static_cast<std::uint64_t>(imagePlanes) * image.Bytes() + image.width * image.rows * sizeof(std::uint32_t);
    }
    if (decodesMask) {
      bytes += mask.Bytes() + mask.width * mask.rows;
    }
    return bytes;
  }
};

int PlanLayer(const PsdCursor& cursor, const PsdDocument& document, const PsdLayerEntry& entry, LayerPlan& plan) {
  const int result = LayOutChannels(cursor, entry, plan.layout);
  if (result != kPsdOk) {
    return result;
  }
  const std::optional<StoredChannel>& maskChannel = plan.layout.lastById[Slot(kUserMaskId)];
  const bool hasImage = HasArea(entry.width, entry.height);
  const bool hasMask = document.depth != 1 && HasArea(entry.maskWidth, entry.maskHeight) && maskChannel;
  if (!hasImage && !hasMask) {
    return kPsdOk;
  }
  if (plan.layout.unknownCompression) {
    return kPsdBadCompression;
  }
  if (hasImage) {
    plan.image = ShapeOf(entry.width, entry.height, document.depth);
    plan.decodesImage = std::any_of(plan.layout.lastById.begin() + 1, plan.layout.lastById.end(),
                                    [&plan](const auto& channel) { return channel && CanFill(*channel, plan.image); });
    if (!plan.decodesImage) {
      return kPsdShortData;
    }
  }
  if (hasMask) {
    plan.mask = ShapeOf(entry.maskWidth, entry.maskHeight, document.depth);
    plan.decodesMask = CanFill(*maskChannel, plan.mask);
  }
  return kPsdOk;
}

void ConvertLayer(const PsdDocument& document, PsdLayerEntry& entry, const PsdLayerPlanes& planes) {
  PsdPlanes image;
  image.width = entry.width;
  image.height = entry.height;
  image.depth = document.depth;
  image.alpha = PlaneData(planes, kTransparencyId);
  for (std::int16_t id = 0; id <= kLastColorId; ++id) {
    image.color[id] = PlaneData(planes, id);
  }
  // Multichannel layers keep their fourth ink in the transparency channel.
  if (document.colorMode == 7) {
    image.color[3] = image.alpha;
    image.alpha = nullptr;
  }
  entry.pixels.assign(static_cast<std::size_t>(entry.width) * entry.height, 0);
  ConvertPsdPlanes(document.colorMode, image, PsdDocumentIndexedColors(document), entry.pixels);
}

void CopyMask(const PsdDocument& document, PsdLayerEntry& entry, const PsdLayerPlanes& planes) {
  const std::uint8_t* mask = PlaneData(planes, kUserMaskId);
  const std::size_t step = document.depth == 16 ? 2 : 1;
  entry.maskPlane.resize(static_cast<std::size_t>(entry.maskWidth) * entry.maskHeight);
  for (std::size_t i = 0; i < entry.maskPlane.size(); ++i) {
    entry.maskPlane[i] = mask[i * step];
  }
}

}  // namespace

int ChargePsdLayerChannels(PsdCursor& cursor, PsdDocument& document, const PsdLayerEntry& entry) {
  LayerPlan plan;
  const int result = PlanLayer(cursor, document, entry, plan);
  if (result != kPsdOk) {
    return result;
  }
  cursor.Skip(plan.layout.storedBytes);
  return ChargePsdDecodedBytes(document, plan.DecodedBytes());
}

int ReadPsdLayerChannels(PsdCursor& cursor, const PsdDocument& document, PsdLayerEntry& entry,
                         PsdLayerPlanes& planes) {
  LayerPlan plan;
  const int result = PlanLayer(cursor, document, entry, plan);
  if (result != kPsdOk) {
    return result;
  }
  cursor.Skip(plan.layout.storedBytes);
  for (std::int16_t id = kUserMaskId; id <= kLastColorId; ++id) {
    const std::optional<StoredChannel>& stored = plan.layout.lastById[Slot(id)];
    std::vector<std::uint8_t>& plane = planes.byId[Slot(id)];
    const bool isMask = id == kUserMaskId;
    if (!stored || !(isMask ? plan.decodesMask : plan.decodesImage)) {
      plane.clear();
      continue;
    }
    const PlaneShape& shape = isMask ? plan.mask : plan.image;
    plane.assign(shape.Bytes(), 0);
    const int decoded =
        DecodePsdPlane(stored->compression, stored->data, shape.rows, shape.rowBytes, shape.width, document.depth, plane);
    if (decoded != kPsdOk) {
      return decoded;
    }
  }
  if (plan.decodesImage) {
    ConvertLayer(document, entry, planes);
  }
  if (plan.decodesMask) {
    CopyMask(document, entry, planes);
  }
  return kPsdOk;
}

}  // namespace psd
