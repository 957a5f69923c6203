#include "tools/art/PsdWriter/PsdWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace tools {

void PutU8(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU8(out, value >> 8);
  PutU8(out, value);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value >> 16);
  PutU16(out, value);
}

void PutBytes(std::vector<std::uint8_t>& out, std::string_view bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void PutDouble(std::vector<std::uint8_t>& out, double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(bits));
  PutU32(out, static_cast<std::uint32_t>(bits >> 32));
  PutU32(out, static_cast<std::uint32_t>(bits));
}

void PutTaggedBlock(std::vector<std::uint8_t>& out, std::string_view key, const std::vector<std::uint8_t>& data) {
  PutBytes(out, "8BIM");
  PutBytes(out, key);
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2 != 0) {
    PutU8(out, 0);
  }
}

void PutDescriptorId(std::vector<std::uint8_t>& out, std::string_view id) {
  PutU32(out, id.size() == 4 ? 0 : static_cast<std::uint32_t>(id.size()));
  PutBytes(out, id);
}

void PutDescriptorHeader(std::vector<std::uint8_t>& out, std::string_view classId, std::uint32_t itemCount) {
  PutU32(out, 0);
  PutDescriptorId(out, classId);
  PutU32(out, itemCount);
}

void PutDescriptorKey(std::vector<std::uint8_t>& out, std::string_view key, std::string_view type) {
  PutDescriptorId(out, key);
  PutBytes(out, type);
}

void PutUnitItem(std::vector<std::uint8_t>& out, std::string_view key, std::string_view unit, double value) {
  PutDescriptorKey(out, key, "UntF");
  PutBytes(out, unit);
  PutDouble(out, value);
}

void PutBoolItem(std::vector<std::uint8_t>& out, std::string_view key, bool value) {
  PutDescriptorKey(out, key, "bool");
  PutU8(out, value ? 1 : 0);
}

void PutEnumItem(std::vector<std::uint8_t>& out, std::string_view key, std::string_view enumType,
                 std::string_view value) {
  PutDescriptorKey(out, key, "enum");
  PutDescriptorId(out, enumType);
  PutDescriptorId(out, value);
}

namespace {

// Channel order of the record and of the data: transparency, red, green, blue.
constexpr int kChannelShifts[4] = {24, 16, 8, 0};
constexpr std::int16_t kChannelIds[4] = {-1, 0, 1, 2};

std::vector<std::uint8_t> ChannelPlane(const PsdWriterLayer& layer, int channel) {
  const std::size_t size = static_cast<std::size_t>(layer.width) * layer.height;
  if (layer.pixels.empty()) {
    return std::vector<std::uint8_t>(size, static_cast<std::uint8_t>(layer.fill >> kChannelShifts[channel]));
  }
  std::vector<std::uint8_t> plane(size, 0);
  for (std::size_t i = 0; i < plane.size() && i < layer.pixels.size(); ++i) {
    plane[i] = static_cast<std::uint8_t>(layer.pixels[i] >> kChannelShifts[channel]);
  }
  return plane;
}

// Repeats of two or more equal bytes, literal runs between them.
void PackRow(const std::uint8_t* row, std::size_t size, std::vector<std::uint8_t>& out) {
  constexpr std::size_t kMaxRun = 128;
  std::size_t i = 0;
  while (i < size) {
    std::size_t run = 1;
    while (i + run < size && run < kMaxRun && row[i + run] == row[i]) {
      ++run;
    }
    if (run >= 2) {
      PutU8(out, static_cast<std::uint32_t>(257 - run));
      PutU8(out, row[i]);
      i += run;
      continue;
    }
    const std::size_t start = i;
    while (i < size && i - start < kMaxRun && !(i + 1 < size && row[i] == row[i + 1])) {
      ++i;
    }
    PutU8(out, static_cast<std::uint32_t>(i - start - 1));
    out.insert(out.end(), row + start, row + i);
  }
}

// The row byte counts of every row of the planes, then the packed rows. A
// row like the one before it reuses its packing, which keeps large
// documents of plain colours quick to write.
std::vector<std::uint8_t> PackPlanes(const std::vector<std::uint8_t>& planes, std::size_t rowBytes) {
  std::vector<std::uint8_t> counts;
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> packed;
  for (std::size_t start = 0; start < planes.size(); start += rowBytes) {
    const std::uint8_t* row = planes.data() + start;
    if (start == 0 || std::memcmp(row, row - rowBytes, rowBytes) != 0) {
      packed.clear();
      PackRow(row, rowBytes, packed);
    }
    rows.insert(rows.end(), packed.begin(), packed.end());
    PutU16(counts, static_cast<std::uint32_t>(packed.size()));
  }
  counts.insert(counts.end(), rows.begin(), rows.end());
  return counts;
}

// The fastest level: the game's maps are written as documents at every build.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& planes) {
  uLongf size = compressBound(static_cast<uLong>(planes.size()));
  std::vector<std::uint8_t> out(size);
  compress2(out.data(), &size, planes.data(), static_cast<uLong>(planes.size()), Z_BEST_SPEED);
  out.resize(size);
  return out;
}

// Planes of rows of rowBytes in the given compression, without its code.
std::vector<std::uint8_t> StorePlanes(const std::vector<std::uint8_t>& planes, std::size_t rowBytes,
                                      std::uint16_t compression) {
  switch (compression) {
    case 1:
      return PackPlanes(planes, rowBytes);
    case 2:
      return Deflate(planes);
    default:
      return planes;
  }
}

std::vector<std::uint8_t> ChannelData(const PsdWriterLayer& layer, int channel) {
  if (!layer.storedChannel.empty()) {
    return layer.storedChannel;
  }
  std::vector<std::uint8_t> data;
  PutU16(data, layer.compression);
  const std::vector<std::uint8_t> stored =
      StorePlanes(ChannelPlane(layer, channel), static_cast<std::size_t>(layer.width), layer.compression);
  data.insert(data.end(), stored.begin(), stored.end());
  return data;
}

std::vector<std::uint8_t> ExtraData(const PsdWriterLayer& layer) {
  std::vector<std::uint8_t> extra;
  PutU32(extra, static_cast<std::uint32_t>(layer.maskData.size()));
  extra.insert(extra.end(), layer.maskData.begin(), layer.maskData.end());
  PutU32(extra, layer.blendingRangesLength);
  for (std::uint32_t i = 0; i < layer.blendingRangesLength; i += 4) {
    PutU32(extra, 0x0000FFFF);
  }
  // The Pascal name, padded so that it and its length byte fill a multiple of 4.
  const std::size_t nameLength = std::min<std::size_t>(layer.name.size(), 255);
  PutU8(extra, static_cast<std::uint32_t>(nameLength));
  PutBytes(extra, std::string_view(layer.name).substr(0, nameLength));
  extra.resize(extra.size() + (4 - (nameLength + 1) % 4) % 4, 0);
  if (!layer.unicodeName.empty()) {
    std::vector<std::uint8_t> luni;
    PutU32(luni, static_cast<std::uint32_t>(layer.unicodeName.size()));
    for (char16_t unit : layer.unicodeName) {
      PutU16(luni, unit);
    }
    if (luni.size() % 2 != 0) {
      PutU8(luni, 0);
    }
    PutTaggedBlock(extra, "luni", luni);
  }
  if (layer.sectionType >= 0) {
    std::vector<std::uint8_t> lsct;
    PutU32(lsct, static_cast<std::uint32_t>(layer.sectionType));
    PutTaggedBlock(extra, "lsct", lsct);
  }
  extra.insert(extra.end(), layer.extraBlocks.begin(), layer.extraBlocks.end());
  return extra;
}

void PutLayerRecord(std::vector<std::uint8_t>& out, const PsdWriterLayer& layer,
                    const std::vector<std::vector<std::uint8_t>>& channels) {
  PutU32(out, static_cast<std::uint32_t>(layer.top));
  PutU32(out, static_cast<std::uint32_t>(layer.left));
  PutU32(out, static_cast<std::uint32_t>(layer.top + layer.height));
  PutU32(out, static_cast<std::uint32_t>(layer.left + layer.width));
  PutU16(out, static_cast<std::uint32_t>(4 + layer.emptyChannels.size()));
  for (int c = 0; c < 4; ++c) {
    PutU16(out, static_cast<std::uint16_t>(kChannelIds[c]));
    PutU32(out, static_cast<std::uint32_t>(channels[c].size()));
  }
  for (std::int16_t id : layer.emptyChannels) {
    PutU16(out, static_cast<std::uint16_t>(id));
    PutU32(out, 2);
  }
  PutBytes(out, "8BIMnorm");
  PutU8(out, layer.opacity);
  PutU8(out, 0);  // clipping
  PutU8(out, 0);  // flags: visible
  PutU8(out, 0);  // filler
  const std::vector<std::uint8_t> extra = ExtraData(layer);
  PutU32(out, static_cast<std::uint32_t>(extra.size()));
  out.insert(out.end(), extra.begin(), extra.end());
}

}  // namespace

void PsdWriter::BeginGroup() {
  PsdWriterLayer divider;
  divider.name = "</Layer group>";
  divider.sectionType = 3;
  layers_.push_back(std::move(divider));
}

void PsdWriter::EndGroup(const std::string& name) {
  PsdWriterLayer folder;
  folder.name = name;
  folder.sectionType = 1;
  layers_.push_back(std::move(folder));
}

std::vector<std::uint8_t> PsdWriter::Write() const {
  std::vector<std::uint8_t> out;
  PutBytes(out, "8BPS");
  PutU16(out, 1);
  out.resize(out.size() + 6, 0);
  PutU16(out, 3);  // channels of the composite
  PutU32(out, static_cast<std::uint32_t>(height_));
  PutU32(out, static_cast<std::uint32_t>(width_));
  PutU16(out, 8);
  PutU16(out, 3);  // RGB
  PutU32(out, 0);  // colour mode data
  PutU32(out, 0);  // image resources

  std::vector<std::uint8_t> records;
  std::vector<std::uint8_t> channelData;
  PutU16(records, static_cast<std::uint32_t>(layers_.size()));
  for (const PsdWriterLayer& layer : layers_) {
    std::vector<std::vector<std::uint8_t>> channels;
    for (int c = 0; c < 4; ++c) {
      channels.push_back(ChannelData(layer, c));
      channelData.insert(channelData.end(), channels.back().begin(), channels.back().end());
    }
    for (std::size_t i = 0; i < layer.emptyChannels.size(); ++i) {
      PutU16(channelData, 0);
    }
    PutLayerRecord(records, layer, channels);
  }
  records.insert(records.end(), channelData.begin(), channelData.end());
  if (records.size() % 2 != 0) {
    PutU8(records, 0);
  }
  std::vector<std::uint8_t> layerInfo;
  PutU32(layerInfo, static_cast<std::uint32_t>(records.size()));
  layerInfo.insert(layerInfo.end(), records.begin(), records.end());
  PutU32(layerInfo, 0);  // global layer mask information
  PutU32(out, static_cast<std::uint32_t>(layerInfo.size()));
  out.insert(out.end(), layerInfo.begin(), layerInfo.end());

  PutU16(out, compositeCompression_);
  const std::vector<std::uint8_t> white(static_cast<std::size_t>(width_) * height_ * 3, 0xFF);
  const std::vector<std::uint8_t> composite = StorePlanes(white, static_cast<std::size_t>(width_), compositeCompression_);
  out.insert(out.end(), composite.begin(), composite.end());
  return out;
}

}  // namespace tools
