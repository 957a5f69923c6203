#include "Psd/PsdColor.h"
#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

bool ReadFlag(PsdCursor& data) { return data.U8() != 0; }

bool ReadSignedBlendKey(PsdCursor& data, std::int32_t& mode) {
  if (data.Key() != PsdKey("8BIM")) {
    return false;
  }
  mode = ReadPsdBlendKey(data);
  return true;
}

int ReadCommonState(PsdCursor& data, PsdLayerEffects& effects) {
  if (data.U32() != 0) {
    return kPsdBadCommonStateVersion;
  }
  effects.masterSwitch = ReadFlag(data);
  return kPsdOk;
}

int ReadShadow(PsdCursor& data, PsdShadowEffect& shadow) {
  shadow = DefaultPsdShadow();
  const std::uint32_t version = data.U32();
  if (version != 0 && version != 2) {
    return kPsdBadShadowVersion;
  }
  shadow.size = data.I32();
  shadow.spread = data.I32();
  shadow.angle = data.I32();
  shadow.distance = data.I32();
  shadow.color = ReadPsdColor(data);
  if (!ReadSignedBlendKey(data, shadow.blendMode)) {
    return kPsdBadLayerSignature;
  }
  shadow.enabled = ReadFlag(data);
  shadow.useGlobalLight = ReadFlag(data);
  shadow.opacity = data.U8();
  if (version == 2) {
    shadow.nativeColor = ReadPsdColor(data);
  }
  return kPsdOk;
}

int ReadGlow(PsdCursor& data, PsdGlowEffect& glow, bool inner) {
  glow = inner ? DefaultPsdInnerGlow() : DefaultPsdOuterGlow();
  const std::uint32_t version = data.U32();
  if (version != 0 && version != 2) {
    return inner ? kPsdBadInnerGlowVersion : kPsdBadOuterGlowVersion;
  }
  glow.size = data.I32();
  glow.spread = data.I32();
  glow.color = ReadPsdColor(data);
  if (!ReadSignedBlendKey(data, glow.blendMode)) {
    return kPsdBadLayerSignature;
  }
  glow.enabled = ReadFlag(data);
  glow.opacity = data.U8();
  if (version == 2) {
    if (inner && ReadFlag(data)) {
      glow.source = 0;
    }
    glow.nativeColor = ReadPsdColor(data);
  }
  return kPsdOk;
}

int ReadBevel(PsdCursor& data, PsdBevelEffect& bevel) {
  bevel = DefaultPsdBevel();
  const std::uint32_t version = data.U32();
  if (version != 0 && version != 2) {
    return kPsdBadBevelVersion;
  }
  bevel.angle = data.I32();
  bevel.size = data.I32();
  bevel.soften = data.I32();
  if (!ReadSignedBlendKey(data, bevel.highlightBlendMode) || !ReadSignedBlendKey(data, bevel.shadowBlendMode)) {
    return kPsdBadLayerSignature;
  }
  bevel.highlightColor = ReadPsdColor(data);
  bevel.shadowColor = ReadPsdColor(data);
  bevel.style = data.U8();
  bevel.highlightOpacity = data.U8();
  bevel.shadowOpacity = data.U8();
  bevel.enabled = ReadFlag(data);
  bevel.useGlobalLight = ReadFlag(data);
  bevel.direction = data.U8();
  if (version == 2) {
    bevel.nativeHighlightColor = ReadPsdColor(data);
    bevel.nativeShadowColor = ReadPsdColor(data);
  }
  return kPsdOk;
}

int ReadSolidFill(PsdCursor& data, PsdColorOverlayEffect& overlay) {
  overlay = DefaultPsdColorOverlay();
  if (data.U32() != 2) {
    return kPsdBadSolidFillEffectVersion;
  }
  if (!ReadSignedBlendKey(data, overlay.blendMode)) {
    return kPsdBadLayerSignature;
  }
  overlay.color = ReadPsdColor(data);
  overlay.opacity = data.U8();
  overlay.enabled = ReadFlag(data);
  overlay.nativeColor = ReadPsdColor(data);
  return kPsdOk;
}

// Reads one effect from its data; kPsdEffectSlotCount as the slot for the
// common state, which has no flags.
int ReadEffect(std::uint32_t key, PsdCursor& data, PsdLayerEffects& effects, int& slot) {
  switch (key) {
    case PsdKey("cmnS"): slot = kPsdEffectSlotCount; return ReadCommonState(data, effects);
    case PsdKey("dsdw"): slot = kPsdDropShadowSlot; return ReadShadow(data, effects.dropShadow);
    case PsdKey("isdw"): slot = kPsdInnerShadowSlot; return ReadShadow(data, effects.innerShadow);
    case PsdKey("oglw"): slot = kPsdOuterGlowSlot; return ReadGlow(data, effects.outerGlow, false);
    case PsdKey("iglw"): slot = kPsdInnerGlowSlot; return ReadGlow(data, effects.innerGlow, true);
    case PsdKey("bevl"): slot = kPsdBevelSlot; return ReadBevel(data, effects.bevel);
    case PsdKey("sofi"): slot = kPsdColorOverlaySlot; return ReadSolidFill(data, effects.colorOverlay);
    default: return kPsdBadEffectKey;
  }
}

}  // namespace

int ReadPsdLegacyEffects(PsdCursor& block, PsdLayerEntry& entry) {
  PsdLayerEffects& effects = AddPsdItem<PsdLayerEffects>(entry, kPsdLegacyEffectsItem);
  if (block.U16() != 0) {
    return kPsdBadEffectsVersion;
  }
  effects.effectCount = block.I16();
  for (std::int32_t i = 0; i < effects.effectCount; ++i) {
    if (block.Key() != PsdKey("8BIM")) {
      return kPsdBadEffectSignature;
    }
    const std::uint32_t key = block.Key();
    // Every effect's data follows its size; the size, not the fields read,
    // finds the next effect, so that versions with more fields still read.
    PsdCursor data = block.Slice(block.U32());
    int slot = kPsdEffectSlotCount;
    const int result = ReadEffect(key, data, effects, slot);
    if (result != kPsdOk) {
      return result;
    }
    if (slot != kPsdEffectSlotCount) {
      effects.present[slot] = 1;
      effects.read[slot] = 1;
    }
  }
  return kPsdOk;
}

}  // namespace psd
