#include <algorithm>
#include <limits>

#include "Psd/PsdColor.h"
#include "Psd/PsdDescriptorObjects.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"
#include "Psd/PsdSections.h"
#include "Psd/PsdText.h"

namespace psd {

namespace {

constexpr std::int32_t kBlendModeCount = 24;
constexpr std::uint32_t kBlendKeys[kBlendModeCount] = {
    PsdKey("norm"), PsdKey("diss"), PsdKey("dark"), PsdKey("mul "), PsdKey("idiv"), PsdKey("lbrn"),
    PsdKey("lite"), PsdKey("scrn"), PsdKey("div "), PsdKey("lddg"), PsdKey("over"), PsdKey("sLit"),
    PsdKey("hLit"), PsdKey("vLit"), PsdKey("lLit"), PsdKey("pLit"), PsdKey("hMix"), PsdKey("diff"),
    PsdKey("smud"), PsdKey("hue "), PsdKey("sat "), PsdKey("colr"), PsdKey("lum "), PsdKey("pass")};

// right - left of two stored edges, never negative and never overflowing.
std::int32_t Extent(std::int32_t low, std::int32_t high) {
  const std::int64_t extent = std::int64_t{high} - low;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(extent, 0, std::numeric_limits<std::int32_t>::max()));
}

void ReadMaskRectangle(PsdCursor& mask, PsdLayerEntry& entry) {
  entry.maskTop = mask.I32();
  entry.maskLeft = mask.I32();
  entry.maskBottom = mask.I32();
  entry.maskRight = mask.I32();
  entry.maskWidth = Extent(entry.maskLeft, entry.maskRight);
  entry.maskHeight = Extent(entry.maskTop, entry.maskBottom);
}

void ApplyMaskFlags(std::uint8_t flags, PsdLayerEntry& entry) {
  entry.maskPositionRelative = flags & 1;
  entry.maskDisabled = (flags >> 1) & 1;
  entry.maskInverted = (flags >> 2) & 1;
}

// Mask data longer than 36 bytes carries mask parameters after the real
// rectangle; the slice ends the unit wherever its fields end.
void ReadLayerMask(PsdCursor& extra, PsdLayerEntry& entry) {
  PsdCursor mask = extra.Slice(extra.U32());
  if (mask.Size() == 0) {
    return;
  }
  ReadMaskRectangle(mask, entry);
  entry.maskDefaultColor = mask.U8();
  ApplyMaskFlags(mask.U8(), entry);
  if (mask.Size() == 20) {
    return;
  }
  ApplyMaskFlags(mask.U8(), entry);
  entry.maskDefaultColor = mask.U8();
  ReadMaskRectangle(mask, entry);
}

// ImageMagick and GIMP write an empty block: it holds no ranges and is no error.
void ReadBlendingRanges(PsdCursor& extra, PsdLayerEntry& entry) {
  PsdCursor ranges = extra.Slice(extra.U32());
  if (ranges.Size() < 8) {
    return;
  }
  entry.blendSourceBlack = ranges.U16();
  entry.blendSourceWhite = ranges.U16();
  entry.blendDestinationBlack = ranges.U16();
  entry.blendDestinationWhite = ranges.U16();
  const std::uint64_t count = ranges.Remaining() / 8;
  for (std::uint64_t i = 0; i < count; ++i) {
    entry.sourceBlack.push_back(ranges.I16());
    entry.sourceWhite.push_back(ranges.I16());
    entry.destinationBlack.push_back(ranges.I16());
    entry.destinationWhite.push_back(ranges.I16());
  }
}

// The stored name is a length byte and the name, padded to a multiple of 4.
void ReadPascalName(PsdCursor& extra, PsdLayerEntry& entry) {
  const std::uint8_t length = extra.U8();
  std::string name(length, '\0');
  name.resize(extra.Read(name.data(), length));
  extra.Skip(((length + 4u) & ~3u) - 1u - length);
  name.resize(std::min(name.size(), name.find('\0')));
  entry.name = MacRomanToUtf8(name);
}

int ReadSectionDivider(PsdCursor block, PsdLayerEntry& entry) {
  entry.sectionType = block.I32();
  if (entry.sectionType == 1 || entry.sectionType == 2) {
    entry.kind = kPsdGroupStart;
  } else if (entry.sectionType == 3) {
    entry.kind = kPsdGroupEnd;
  }
  if (block.Size() == 12) {
    if (block.Key() != PsdKey("8BIM")) {
      return kPsdBadDividerSignature;
    }
    entry.groupBlendMode = ReadPsdBlendKey(block);
  }
  return kPsdOk;
}

void ReadRestrictedChannels(PsdCursor block, PsdLayerEntry& entry) {
  while (block.Remaining() >= 4) {
    const std::int32_t id = block.I32();
    const auto found = std::find_if(entry.channels.begin(), entry.channels.end(),
                                    [id](const PsdChannelInfo& channel) { return channel.id == id; });
    if (found != entry.channels.end()) {
      found->blendingRestricted = 1;
    }
  }
}

void ReadUnicodeName(PsdCursor block, PsdLayerEntry& entry) {
  const std::uint64_t count = std::min<std::uint64_t>(block.U32(), block.Remaining() / 2);
  entry.unicodeName.assign(count, u'\0');
  for (char16_t& unit : entry.unicodeName) {
    unit = block.U16();
  }
}

std::uint8_t ReadFlagByte(PsdCursor block) { return block.U8() != 0; }

int ReadTaggedBlock(std::uint32_t key, PsdCursor block, PsdLayerEntry& entry, std::size_t& itemsLeft) {
  switch (key) {
    case PsdKey("lsct"): return ReadSectionDivider(block, entry);
    case PsdKey("brst"): ReadRestrictedChannels(block, entry); break;
    case PsdKey("luni"): ReadUnicodeName(block, entry); break;
    case PsdKey("lnsr"): entry.nameSource = block.U32(); break;
    case PsdKey("lyid"): entry.layerId = block.U32(); break;
    case PsdKey("lyvr"): entry.layerVersion = block.U32(); break;
    case PsdKey("lspf"): {
      const std::uint32_t flags = block.U32();
      entry.transparencyLocked = flags & 1;
      entry.compositeLocked = (flags >> 1) & 1;
      entry.positionLocked = (flags >> 2) & 1;
      break;
    }
    case PsdKey("lclr"): {
      const std::uint32_t red = block.U8();
      const std::uint32_t green = block.U8();
      const std::uint32_t blue = block.U8();
      entry.sheetColor = 0xFF000000u | red << 16 | green << 8 | blue;
      break;
    }
    case PsdKey("fxrp"):
      entry.referencePointX = TruncatePsdDouble(block.Double());
      entry.referencePointY = TruncatePsdDouble(block.Double());
      break;
    case PsdKey("iOpa"): entry.fillOpacity = block.U8(); break;
    case PsdKey("clbl"): entry.blendClippedElements = ReadFlagByte(block); break;
    case PsdKey("infx"): entry.blendInteriorElements = ReadFlagByte(block); break;
    case PsdKey("knko"): entry.knockout = ReadFlagByte(block); break;
    case PsdKey("tsly"): entry.transparencyShapesLayer = ReadFlagByte(block); break;
    case PsdKey("lmgm"): entry.layerMaskHidesEffects = ReadFlagByte(block); break;
    case PsdKey("vmgm"): entry.vectorMaskHidesEffects = ReadFlagByte(block); break;
    default: return ReadPsdItemBlock(key, block, entry, itemsLeft);
  }
  return kPsdOk;
}

// Writers pad the extra data, so fewer bytes than a block header are no block.
int ReadTaggedBlocks(PsdCursor& extra, PsdLayerEntry& entry, std::size_t& itemsLeft) {
  constexpr std::uint64_t kBlockHeaderSize = 12;
  while (extra.Remaining() >= kBlockHeaderSize) {
    const std::uint32_t signature = extra.Key();
    if (signature != PsdKey("8BIM") && signature != PsdKey("8B64")) {
      return kPsdBadBlockSignature;
    }
    const std::uint32_t key = extra.Key();
    const std::uint64_t length = (std::uint64_t{extra.U32()} + 1) & ~std::uint64_t{1};
    const int result = ReadTaggedBlock(key, extra.Slice(length), entry, itemsLeft);
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

std::string NameOfUnits(const std::u16string& units) {
  return Utf16ToUtf8(std::u16string_view(units).substr(0, units.find(u'\0')));
}

}  // namespace

std::int32_t ReadPsdBlendKey(PsdCursor& cursor) {
  const std::uint32_t key = cursor.Key();
  const auto found = std::find(std::begin(kBlendKeys), std::end(kBlendKeys), key);
  return found == std::end(kBlendKeys) ? 0 : static_cast<std::int32_t>(found - std::begin(kBlendKeys));
}

int ReadPsdLayerRecord(PsdCursor& cursor, PsdLayerEntry& entry, std::size_t& itemsLeft) {
  entry.top = cursor.I32();
  entry.left = cursor.I32();
  entry.bottom = cursor.I32();
  entry.right = cursor.I32();
  entry.width = Extent(entry.left, entry.right);
  entry.height = Extent(entry.top, entry.bottom);
  const std::uint16_t channelCount = cursor.U16();
  constexpr std::uint64_t kChannelInfoSize = 6;
  if (channelCount * kChannelInfoSize > cursor.Remaining()) {
    return kPsdShortData;
  }
  entry.channels.resize(channelCount);
  for (PsdChannelInfo& channel : entry.channels) {
    channel.id = cursor.I16();
    channel.storedLength = cursor.I32();
  }
  if (cursor.Key() != PsdKey("8BIM")) {
    return kPsdBadLayerSignature;
  }
  entry.blendMode = ReadPsdBlendKey(cursor);
  entry.opacity = cursor.U8();
  entry.clipping = cursor.U8() != 0;
  const std::uint8_t flags = cursor.U8();
  entry.transparencyProtected = flags & 1;
  entry.visible = (flags & 2) == 0;
  entry.obsolete = (flags >> 2) & 1;
  entry.pixelDataIrrelevant = (flags & 8) ? (flags >> 4) & 1 : 0;
  cursor.Skip(1);

  PsdCursor extra = cursor.Slice(cursor.U32());
  ReadLayerMask(extra, entry);
  ReadBlendingRanges(extra, entry);
  ReadPascalName(extra, entry);
  const int result = ReadTaggedBlocks(extra, entry, itemsLeft);
  if (result != kPsdOk) {
    return result;
  }
  if (!entry.unicodeName.empty()) {
    entry.name = NameOfUnits(entry.unicodeName);
  }
  return kPsdOk;
}


}  // namespace psd
