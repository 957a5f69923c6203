#include "Psd/PsdDescriptor.h"
#include "Psd/PsdDescriptorValues.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"

namespace psd {

namespace {

constexpr std::uint32_t kDescriptorVersion = 16;

int ReadSolidFill(PsdCursor& block, PsdSolidFill& fill) {
  if (block.U32() != kDescriptorVersion) {
    return kPsdBadSolidFillVersion;
  }
  block.Skip(std::uint64_t{block.U32()} * 2);
  block.Skip(4);
  fill.classId = block.U32();
  block.Skip(16);
  fill.color = ReadPsdColorObject(block);
  return kPsdOk;
}

// The class id is kept when it is of the 4-byte form.
void ReadClassId(PsdCursor& block, std::uint32_t& classId) {
  block.Skip(std::uint64_t{block.U32()} * 2);
  const std::uint32_t length = block.U32();
  if (length == 0) {
    classId = block.U32();
  } else {
    block.Skip(length);
  }
}

int ReadGradientFill(PsdCursor& block, PsdGradientFill& fill) {
  if (block.U32() != kDescriptorVersion) {
    return kPsdBadGradientFillVersion;
  }
  ReadClassId(block, fill.classId);
  // A value that cannot be passed over gives up the rest: what was read stays.
  ReadPsdDescriptorItemList(block, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("Algn"): return ReadPsdBoolValue(type, block, fill.alignWithLayer);
      case PsdKey("Angl"): return ReadPsdDoubleValue(type, block, fill.angle);
      case PsdKey("Dthr"): return ReadPsdBoolValue(type, block, fill.dither);
      case PsdKey("Grad"): return ReadPsdGradientValue(type, block, fill.gradient);
      case PsdKey("Rvrs"): return ReadPsdBoolValue(type, block, fill.reverse);
      case PsdKey("Scl "): return ReadPsdIntValue(type, block, fill.scale);
      case PsdKey("Type"): return ReadPsdEnumValue(type, block, ReadPsdGradientTypeEnum, fill.gradientType);
      default: return SkipPsdDescriptorValue(type, block, kPsdItemDepth);
    }
  });
  return kPsdOk;
}

int ReadPatternFill(PsdCursor& block, PsdPatternFill& fill) {
  if (block.U32() != kDescriptorVersion) {
    return kPsdBadPatternFillVersion;
  }
  ReadClassId(block, fill.classId);
  ReadPsdDescriptorItemList(block, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("Ptrn"): return ReadPsdPatternValue(type, block, fill.pattern);
      case PsdKey("Scl "): return ReadPsdIntValue(type, block, fill.scale);
      default: return SkipPsdDescriptorValue(type, block, kPsdItemDepth);
    }
  });
  return kPsdOk;
}

}  // namespace

int ReadPsdFill(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry) {
  switch (key) {
    case PsdKey("SoCo"):
      entry.kind = kPsdSolidFill;
      return ReadSolidFill(block, AddPsdItem<PsdSolidFill>(entry, kPsdSolidFillItem));
    case PsdKey("GdFl"):
      entry.kind = kPsdGradientFill;
      return ReadGradientFill(block, AddPsdItem<PsdGradientFill>(entry, kPsdGradientFillItem));
    case PsdKey("PtFl"):
      entry.kind = kPsdPatternFill;
      return ReadPatternFill(block, AddPsdItem<PsdPatternFill>(entry, kPsdPatternFillItem));
    default:
      return kPsdOk;
  }
}

}  // namespace psd
