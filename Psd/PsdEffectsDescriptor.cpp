#include <limits>

#include "Psd/PsdDescriptor.h"
#include "Psd/PsdDescriptorValues.h"
#include "Psd/PsdEffectReaders.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"

namespace psd {

namespace {

constexpr std::uint32_t kDescriptorVersion = 16;

bool IsObject(std::uint32_t type) { return type == PsdKey("Objc") || type == PsdKey("GlbO"); }

// The flag slot of an effect's key; kPsdEffectSlotCount for other keys.
int SlotOf(const PsdDescriptorId& key) {
  if (IsPsdTextKey(key, "patternFill")) {
    return kPsdPatternOverlaySlot;
  }
  switch (PsdKeyOf(key)) {
    case PsdKey("DrSh"): return kPsdDropShadowSlot;
    case PsdKey("IrSh"): return kPsdInnerShadowSlot;
    case PsdKey("OrGl"): return kPsdOuterGlowSlot;
    case PsdKey("IrGl"): return kPsdInnerGlowSlot;
    case PsdKey("ebbl"): return kPsdBevelSlot;
    case PsdKey("ChFX"): return kPsdSatinSlot;
    case PsdKey("SoFi"): return kPsdColorOverlaySlot;
    case PsdKey("GrFl"): return kPsdGradientOverlaySlot;
    case PsdKey("FrFX"): return kPsdStrokeSlot;
    default: return kPsdEffectSlotCount;
  }
}

int ReadEffect(int slot, PsdCursor& cursor, PsdLayerEffects& effects) {
  switch (slot) {
    case kPsdDropShadowSlot: return ReadPsdShadowDescriptor(cursor, effects.dropShadow, true);
    case kPsdInnerShadowSlot: return ReadPsdShadowDescriptor(cursor, effects.innerShadow, false);
    case kPsdOuterGlowSlot: return ReadPsdGlowDescriptor(cursor, effects.outerGlow, false);
    case kPsdInnerGlowSlot: return ReadPsdGlowDescriptor(cursor, effects.innerGlow, true);
    case kPsdBevelSlot: return ReadPsdBevelDescriptor(cursor, effects.bevel);
    case kPsdSatinSlot: return ReadPsdSatinDescriptor(cursor, effects.satin);
    case kPsdColorOverlaySlot: return ReadPsdColorOverlayDescriptor(cursor, effects.colorOverlay);
    case kPsdGradientOverlaySlot: return ReadPsdGradientOverlayDescriptor(cursor, effects.gradientOverlay);
    case kPsdPatternOverlaySlot: return ReadPsdPatternOverlayDescriptor(cursor, effects.patternOverlay);
    default: return ReadPsdStrokeDescriptor(cursor, effects.stroke);
  }
}

// The master switch is taken only from its own key holding a boolean; any
// other value is passed over by its type.
int ReadItem(const PsdDescriptorId& key, std::uint32_t type, PsdCursor& cursor, PsdLayerEffects& effects) {
  if (IsPsdTextKey(key, "masterFXSwitch")) {
    return ReadPsdBoolValue(type, cursor, effects.masterSwitch);
  }
  const int slot = SlotOf(key);
  if (slot == kPsdEffectSlotCount || !IsObject(type)) {
    return SkipPsdDescriptorValue(type, cursor, 1);
  }
  const int result = ReadEffect(slot, cursor, effects);
  effects.present[slot] = 1;
  effects.read[slot] = 1;
  if (effects.effectCount < std::numeric_limits<std::int16_t>::max()) {
    ++effects.effectCount;
  }
  return result;
}

}  // namespace

int ReadPsdEffectsDescriptor(PsdCursor& block, PsdLayerEntry& entry) {
  PsdLayerEffects& effects = AddPsdItem<PsdLayerEffects>(entry, kPsdEffectsDescriptorItem);
  const std::uint32_t objectVersion = block.U32();
  if (objectVersion != 0 || block.U32() != kDescriptorVersion) {
    return kPsdBadEffectsVersion;
  }
  // A value that cannot be passed over gives up the rest of the block: what
  // was read stays, and the block's length finds the next one.
  ReadPsdDescriptorItems(block, [&](const PsdDescriptorId& key, std::uint32_t type) {
    return ReadItem(key, type, block, effects);
  });
  return kPsdOk;
}

}  // namespace psd
