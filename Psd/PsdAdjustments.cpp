#include <algorithm>
#include <bit>

#include "Psd/PsdColor.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"

namespace psd {

namespace {

bool ReadFlag(PsdCursor& block) { return block.U8() != 0; }

void ReadLevelSet(PsdCursor& block, PsdLevelSet& set) {
  set.inputFloor = block.I16();
  set.inputCeiling = block.I16();
  set.outputFloor = block.I16();
  set.outputCeiling = block.I16();
  set.gamma = static_cast<float>(block.I16()) / 100.0f;
}

// The part after the 29 sets that newer writers add, and the length check.
int ReadLevels(PsdCursor& block, PsdLevels& levels) {
  if (block.I16() != 2) {
    return kPsdBadLevelsVersion;
  }
  for (PsdLevelSet& set : levels.sets) {
    ReadLevelSet(block, set);
  }
  const std::uint64_t length = block.Size();
  if (length >= 4 && block.Position() < length - 4) {
    if (block.Key() != PsdKey("Lvls")) {
      return kPsdBadLevelsSignature;
    }
    if (block.I16() != 3) {
      return kPsdBadExtraLevelsVersion;
    }
    constexpr std::int32_t kStoredSets = 29;
    constexpr std::uint64_t kSetSize = 10;
    const std::int32_t extra = std::int32_t{block.U16()} - kStoredSets;
    if (extra > 0 && extra * kSetSize > block.Remaining()) {
      return kPsdBadLevelsLength;
    }
    ReadPsdElements(block, extra, levels.extraSets, ReadLevelSet);
  }
  return block.Position() == length ? kPsdOk : kPsdBadLevelsLength;
}

void ReadCurvePoints(PsdCursor& block, PsdCurve& curve) {
  curve.pointCount = block.U16();
  for (int point = 0; point < curve.pointCount && block.Remaining() > 0; ++point) {
    const std::int16_t output = block.I16();
    const std::int16_t input = block.I16();
    if (point < kPsdCurvePoints) {
      curve.output[point] = output;
      curve.input[point] = input;
    }
  }
}

// The second part repeats the curves; any disagreement makes the block no
// adjustment.
bool ExtraCurvesAgree(PsdCursor& block, PsdCurves& curves) {
  if (block.U32() != curves.curves.size()) {
    return false;
  }
  for (PsdCurve& curve : curves.curves) {
    curve.channel = block.I16();
    if (block.U16() != curve.pointCount) {
      return false;
    }
    for (int point = 0; point < curve.pointCount && block.Remaining() > 0; ++point) {
      const std::int16_t output = block.I16();
      const std::int16_t input = block.I16();
      if (point < kPsdCurvePoints && (output != curve.output[point] || input != curve.input[point])) {
        return false;
      }
    }
  }
  return true;
}

int ReadCurves(PsdCursor& block, PsdCurves& curves, std::uint8_t& adjustment) {
  block.Skip(1);
  const std::int16_t version = block.I16();
  if (version != 1 && version != 4) {
    return kPsdBadCurvesVersion;
  }
  const std::uint32_t present = block.U32();
  curves.curves.resize(static_cast<std::size_t>(std::popcount(present)));
  std::size_t index = 0;
  for (int bit = 0; bit < 32; ++bit) {
    if (present & (1u << bit)) {
      PsdCurve& curve = curves.curves[index++];
      curve.channel = static_cast<std::int16_t>(bit);
      ReadCurvePoints(block, curve);
    }
  }
  const std::uint64_t length = block.Size();
  if (length >= 4 && block.Position() < length - 4) {
    if (block.Key() != PsdKey("Crv ")) {
      return kPsdBadCurvesSignature;
    }
    if (block.I16() != 4) {
      return kPsdBadExtraCurvesVersion;
    }
    if (!ExtraCurvesAgree(block, curves)) {
      return kPsdOk;
    }
  }
  adjustment = 1;
  return kPsdOk;
}

void ReadBrightnessContrast(PsdCursor& block, PsdBrightnessContrast& record) {
  record.brightness = block.I16();
  record.contrast = block.I16();
  record.mean = block.I16();
  record.labOnly = block.U8();
}

void ReadColorBalance(PsdCursor& block, PsdColorBalance& record) {
  for (int range = 0; range < 3; ++range) {
    record.cyanRed[range] = block.I16();
    record.magentaGreen[range] = block.I16();
    record.yellowBlue[range] = block.I16();
  }
  record.preserveLuminosity = static_cast<std::uint8_t>(block.U16());
}

int ReadHueSaturation(PsdCursor& block, PsdHueSaturation& record) {
  if (block.I16() != 2) {
    return kPsdBadHueSaturationVersion;
  }
  record.colorize = block.U8();
  block.Skip(1);
  record.colorizeHue = block.I16();
  record.colorizeSaturation = block.I16();
  record.colorizeLightness = block.I16();
  record.masterHue = block.I16();
  record.masterSaturation = block.I16();
  record.masterLightness = block.I16();
  for (int range = 0; range < 6; ++range) {
    for (std::int16_t& value : record.ranges[range]) {
      value = block.I16();
    }
    for (std::int16_t& value : record.settings[range]) {
      value = block.I16();
    }
  }
  return kPsdOk;
}

int ReadSelectiveColor(PsdCursor& block, PsdSelectiveColor& record) {
  if (block.I16() != 1) {
    return kPsdBadSelectiveColorVersion;
  }
  record.method = block.I16();
  for (int plate = 0; plate < 10; ++plate) {
    record.cyan[plate] = block.I16();
    record.magenta[plate] = block.I16();
    record.yellow[plate] = block.I16();
    record.black[plate] = block.I16();
  }
  return kPsdOk;
}

int ReadChannelMixer(PsdCursor& block, PsdChannelMixer& record) {
  if (block.I16() != 1) {
    return kPsdBadChannelMixerVersion;
  }
  record.monochrome = static_cast<std::uint8_t>(block.U16());
  for (int output = 0; output < 4; ++output) {
    for (auto& row : record.rows) {
      row[output] = block.I16();
    }
  }
  return kPsdOk;
}

// The signed high byte of each 16-bit component, converted in the model.
std::uint32_t ReadGradientMapColor(PsdCursor& block, int model) {
  int components[4];
  for (int& component : components) {
    component = block.I16() >> 8;
  }
  std::uint32_t color = 0;
  ConvertPsdColor(&color, model, components[0], components[1], components[2], components[3]);
  return color;
}

void ReadGradientMapColorStop(PsdCursor& block, PsdGradientMapColorStop& stop) {
  stop.location = block.I32();
  stop.midpoint = block.I32();
  stop.color = ReadPsdColor(block);
  block.Skip(2);
  stop.stopType = 2;
}

void ReadGradientMapTransparencyStop(PsdCursor& block, PsdTransparencyStop& stop) {
  stop.location = block.I32();
  stop.midpoint = block.I32();
  stop.opacity = block.I16();
}

int ReadGradientMap(PsdCursor& block, PsdGradientMap& record) {
  if (block.I16() != 1) {
    return kPsdBadGradientMapVersion;
  }
  record.reversed = ReadFlag(block);
  record.dithered = ReadFlag(block);
  const std::uint64_t units = std::min<std::uint64_t>(block.U32(), block.Remaining() / 2);
  record.name.assign(units, u'\0');
  for (char16_t& unit : record.name) {
    unit = block.U16();
  }
  ReadPsdElements(block, block.I16(), record.colorStops, ReadGradientMapColorStop);
  ReadPsdElements(block, block.I16(), record.transparencyStops, ReadGradientMapTransparencyStop);
  record.expansionCount = block.I16();
  if (record.expansionCount > 0) {
    record.interpolation = block.I16();
    record.length = block.I16();
    if (record.length >= 32) {
      record.mode = block.I16();
      record.randomSeed = block.I32();
      record.showTransparency = block.I16();
      record.useVectorColor = block.I16();
      record.roughness = block.I32();
      const int model = block.I16();
      record.minimumColor = ReadGradientMapColor(block, model);
      record.maximumColor = ReadGradientMapColor(block, model);
    }
  }
  block.Skip(2);
  return kPsdOk;
}

int ReadPhotoFilter(PsdCursor& block, PsdPhotoFilter& record) {
  if (block.I16() != 3) {
    return kPsdBadPhotoFilterVersion;
  }
  record.x = block.I32() >> 8;
  record.y = block.I32() >> 8;
  record.z = block.I32() >> 8;
  record.density = block.I32();
  record.preserveLuminosity = ReadFlag(block);
  block.Skip(1);
  return kPsdOk;
}

template <class Record>
Record& AddAdjustment(PsdLayerEntry& entry, PsdItemKind item, PsdLayerKind layer) {
  entry.kind = layer;
  return AddPsdItem<Record>(entry, item);
}

// Reads the record of an adjustment whose reading cannot fail.
template <class Record>
int ReadPlain(PsdCursor& block, PsdLayerEntry& entry, PsdItemKind item, PsdLayerKind layer,
              void (*read)(PsdCursor&, Record&)) {
  read(block, AddAdjustment<Record>(entry, item, layer));
  return kPsdOk;
}

template <class Record>
int ReadChecked(PsdCursor& block, PsdLayerEntry& entry, PsdItemKind item, PsdLayerKind layer,
                int (*read)(PsdCursor&, Record&)) {
  return read(block, AddAdjustment<Record>(entry, item, layer));
}

int ReadRecord(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry) {
  switch (key) {
    case PsdKey("levl"): return ReadChecked(block, entry, kPsdLevelsItem, kPsdLevels, ReadLevels);
    case PsdKey("brit"):
      return ReadPlain(block, entry, kPsdBrightnessContrastItem, kPsdBrightnessContrast, ReadBrightnessContrast);
    case PsdKey("blnc"): return ReadPlain(block, entry, kPsdColorBalanceItem, kPsdColorBalance, ReadColorBalance);
    case PsdKey("hue2"):
      return ReadChecked(block, entry, kPsdHueSaturationItem, kPsdHueSaturation, ReadHueSaturation);
    case PsdKey("selc"):
      return ReadChecked(block, entry, kPsdSelectiveColorItem, kPsdSelectiveColor, ReadSelectiveColor);
    case PsdKey("thrs"):
      AddAdjustment<PsdThreshold>(entry, kPsdThresholdItem, kPsdThreshold).level = block.I16();
      block.Skip(2);
      return kPsdOk;
    case PsdKey("nvrt"): AddAdjustment<std::monostate>(entry, kPsdInvertItem, kPsdInvert); return kPsdOk;
    case PsdKey("post"):
      AddAdjustment<PsdPosterize>(entry, kPsdPosterizeItem, kPsdPosterize).levels = block.I16();
      block.Skip(2);
      return kPsdOk;
    case PsdKey("mixr"): return ReadChecked(block, entry, kPsdChannelMixerItem, kPsdChannelMixer, ReadChannelMixer);
    case PsdKey("grdm"): return ReadChecked(block, entry, kPsdGradientMapItem, kPsdGradientMap, ReadGradientMap);
    case PsdKey("phfl"): return ReadChecked(block, entry, kPsdPhotoFilterItem, kPsdPhotoFilter, ReadPhotoFilter);
    default: return kPsdOk;
  }
}

}  // namespace

int ReadPsdAdjustment(std::uint32_t key, PsdCursor& block, PsdLayerEntry& entry) {
  if (key == PsdKey("curv")) {
    return ReadCurves(block, AddAdjustment<PsdCurves>(entry, kPsdCurvesItem, kPsdCurves), entry.adjustment);
  }
  const int result = ReadRecord(key, block, entry);
  if (result == kPsdOk) {
    entry.adjustment = 1;
  }
  return result;
}

}  // namespace psd
