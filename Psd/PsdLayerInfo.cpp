#include <cstdlib>

#include "Psd/PsdColor.h"
#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

// Rectangle, channel count, signature, blend key, four bytes and the extra
// data length: what the smallest layer record holds.
constexpr std::uint64_t kMinLayerRecordSize = 34;

// Walking from the top, a folder opens a group and the hidden divider below
// its children closes it.
void LinkGroups(std::vector<PsdLayerEntry>& layers) {
  std::int32_t group = -1;
  for (std::size_t i = layers.size(); i-- > 0;) {
    PsdLayerEntry& entry = layers[i];
    if (entry.kind == kPsdGroupStart) {
      group = static_cast<std::int32_t>(i);
    } else if (entry.kind == kPsdGroupEnd) {
      group = -1;
    } else if (entry.kind == kPsdPixelLayer) {
      entry.enclosingGroup = group;
    }
  }
}

int ReadLayerInformation(PsdCursor& cursor, PsdDocument& document) {
  const std::uint64_t length = (std::uint64_t{cursor.U32()} + 1) & ~std::uint64_t{1};
  PsdCursor info = cursor.Slice(length);
  if (info.Size() == 0) {
    return kPsdOk;
  }
  // A negative count says the first alpha channel holds the merged
  // transparency; counted in 32 bits so that -32768 stays positive.
  const std::int32_t count = std::abs(std::int32_t{info.I16()});
  if (count * kMinLayerRecordSize > info.Remaining()) {
    return kPsdShortData;
  }
  std::vector<PsdLayerEntry> layers(static_cast<std::size_t>(count));
  std::size_t itemsLeft = kPsdMaxDocumentItems;
  for (PsdLayerEntry& entry : layers) {
    const int result = ReadPsdLayerRecord(info, entry, itemsLeft);
    if (result != kPsdOk) {
      return result;
    }
  }
  // Every layer is counted before the first is decoded, so that a document
  // beyond the limit costs no decoding.
  PsdCursor channelData = info;
  for (const PsdLayerEntry& entry : layers) {
    const int result = ChargePsdLayerChannels(channelData, document, entry);
    if (result != kPsdOk) {
      return result;
    }
  }
  PsdLayerPlanes planes;
  for (PsdLayerEntry& entry : layers) {
    const int result = ReadPsdLayerChannels(info, document, entry, planes);
    if (result != kPsdOk) {
      return result;
    }
  }
  LinkGroups(layers);
  document.layers = std::move(layers);
  return kPsdOk;
}

void ReadGlobalMaskInfo(PsdCursor& cursor, PsdDocument& document) {
  PsdCursor mask = cursor.Slice(cursor.U32());
  if (mask.Size() == 0) {
    return;
  }
  document.globalMaskColor = ReadPsdColor(mask);
  document.globalMaskOpacity = mask.I16();
  document.globalMaskKind = mask.U8();
}

int ReadPatterns(PsdCursor block, PsdDocument& document) {
  while (block.Remaining() >= 4) {
    const int result = ReadPsdPattern(block, document);
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

// A block without its signature ends the search, not the load.
int ReadDocumentTaggedBlocks(PsdCursor& section, PsdDocument& document) {
  constexpr std::uint64_t kBlockHeaderSize = 12;
  while (section.Remaining() > kBlockHeaderSize) {
    if (section.Key() != PsdKey("8BIM")) {
      return kPsdOk;
    }
    const std::uint32_t key = section.Key();
    int result = kPsdOk;
    if (key == PsdKey("Lr16")) {
      result = ReadLayerInformation(section, document);
    } else {
      PsdCursor block = section.Slice(section.U32());
      if (key == PsdKey("Patt") || key == PsdKey("Pat2")) {
        result = ReadPatterns(block, document);
      }
    }
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

}  // namespace

int ReadPsdLayerAndMaskInfo(PsdCursor& cursor, PsdDocument& document) {
  PsdCursor section = cursor.Slice(cursor.U32());
  if (section.Size() == 0) {
    return kPsdOk;
  }
  const int result = ReadLayerInformation(section, document);
  if (result != kPsdOk) {
    return result;
  }
  ReadGlobalMaskInfo(section, document);
  return ReadDocumentTaggedBlocks(section, document);
}

}  // namespace psd
