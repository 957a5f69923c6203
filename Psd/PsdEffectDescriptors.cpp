#include "Psd/PsdDescriptor.h"
#include "Psd/PsdDescriptorValues.h"
#include "Psd/PsdEffectReaders.h"
#include "Psd/PsdError.h"

namespace psd {

namespace {

int Skip(std::uint32_t type, PsdCursor& cursor) { return SkipPsdDescriptorValue(type, cursor, kPsdItemDepth); }

// 'Clr ' sets a colour and its native colour alike.
int ReadBothColors(std::uint32_t type, PsdCursor& cursor, std::uint32_t& color, std::uint32_t& native) {
  const int result = ReadPsdColorValue(type, cursor, color);
  native = color;
  return result;
}

// "phase" of a pattern overlay and a stroke: read, and the phase stays 0.
int PassOverPhase(std::uint32_t type, PsdCursor& cursor) {
  std::int32_t x = 0, y = 0;
  return ReadPsdPointValue(type, cursor, x, y);
}

constexpr PsdEnumChoice kGlowSources[] = {{PsdKey("SrcC"), 0}, {PsdKey("SrcE"), 1}};
constexpr PsdEnumChoice kBevelStyles[] = {
    {PsdKey("OtrB"), 0}, {PsdKey("InrB"), 1}, {PsdKey("Embs"), 2}, {PsdKey("PlEb"), 3}};
constexpr PsdEnumChoice kBevelDirections[] = {{PsdKey("In  "), 0}, {PsdKey("Out "), 1}};
constexpr PsdEnumChoice kStrokePositions[] = {{PsdKey("OutF"), 0}, {PsdKey("InsF"), 1}, {PsdKey("CtrF"), 2}};
constexpr PsdEnumChoice kPaintTypes[] = {{PsdKey("SClr"), 0}, {PsdKey("GrFl"), 1}, {PsdKey("Ptrn"), 2}};

int ReadBevelStyle(std::uint32_t type, PsdCursor& cursor, std::int32_t& style) {
  PsdDescriptorId id;
  const int result = ReadPsdEnumValue(type, cursor, id);
  if (id.text == "strokeEmboss") {
    style = 4;
  }
  for (const PsdEnumChoice& choice : kBevelStyles) {
    if (id.text.empty() && id.key == choice.id) {
      style = choice.value;
    }
  }
  return result;
}

}  // namespace

int ReadPsdShadowDescriptor(PsdCursor& cursor, PsdShadowEffect& shadow, bool drop) {
  shadow = DefaultPsdShadow();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    if (drop && IsPsdTextKey(key, "layerConceals")) {
      return ReadPsdBoolValue(type, cursor, shadow.layerConceals);
    }
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, shadow.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, shadow.blendMode);
      case PsdKey("Clr "): return ReadBothColors(type, cursor, shadow.color, shadow.nativeColor);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, shadow.opacity);
      case PsdKey("lagl"): return ReadPsdIntValue(type, cursor, shadow.angle);
      case PsdKey("uglg"): return ReadPsdBoolValue(type, cursor, shadow.useGlobalLight);
      case PsdKey("Dstn"): return ReadPsdIntValue(type, cursor, shadow.distance);
      case PsdKey("Ckmt"): return ReadPsdIntValue(type, cursor, shadow.spread);
      case PsdKey("blur"): return ReadPsdIntValue(type, cursor, shadow.size);
      case PsdKey("TrnS"): return ReadPsdContourValue(type, cursor, shadow.contour);
      case PsdKey("AntA"): return ReadPsdBoolValue(type, cursor, shadow.contour.antiAlias);
      case PsdKey("Nose"): return ReadPsdIntValue(type, cursor, shadow.noise);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdGlowDescriptor(PsdCursor& cursor, PsdGlowEffect& glow, bool inner) {
  glow = inner ? DefaultPsdInnerGlow() : DefaultPsdOuterGlow();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, glow.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, glow.blendMode);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, glow.opacity);
      case PsdKey("Nose"): return ReadPsdIntValue(type, cursor, glow.noise);
      case PsdKey("Clr "):
        glow.usesGradient = 0;
        return ReadBothColors(type, cursor, glow.color, glow.nativeColor);
      case PsdKey("Grad"):
        glow.usesGradient = 1;
        return ReadPsdGradientValue(type, cursor, glow.gradient);
      case PsdKey("GlwT"): return ReadPsdEnumValue(type, cursor, ReadPsdTechniqueEnum, glow.technique);
      case PsdKey("glwS"):
        return inner ? ReadPsdEnumChoice(type, cursor, kGlowSources, glow.source) : Skip(type, cursor);
      case PsdKey("Ckmt"): return ReadPsdIntValue(type, cursor, glow.spread);
      case PsdKey("blur"): return ReadPsdIntValue(type, cursor, glow.size);
      case PsdKey("TrnS"): return ReadPsdContourValue(type, cursor, glow.contour);
      case PsdKey("AntA"): return ReadPsdBoolValue(type, cursor, glow.contour.antiAlias);
      case PsdKey("Inpr"): return ReadPsdIntValue(type, cursor, glow.range);
      case PsdKey("ShdN"): return ReadPsdIntValue(type, cursor, glow.jitter);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdSatinDescriptor(PsdCursor& cursor, PsdSatinEffect& satin) {
  satin = DefaultPsdSatin();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, satin.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, satin.blendMode);
      case PsdKey("Clr "): return ReadPsdColorValue(type, cursor, satin.color);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, satin.opacity);
      case PsdKey("lagl"): return ReadPsdIntValue(type, cursor, satin.angle);
      case PsdKey("Dstn"): return ReadPsdIntValue(type, cursor, satin.distance);
      case PsdKey("blur"): return ReadPsdIntValue(type, cursor, satin.size);
      case PsdKey("MpgS"): return ReadPsdContourValue(type, cursor, satin.contour);
      case PsdKey("AntA"): return ReadPsdBoolValue(type, cursor, satin.contour.antiAlias);
      case PsdKey("Invr"): return ReadPsdBoolValue(type, cursor, satin.invert);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdBevelDescriptor(PsdCursor& cursor, PsdBevelEffect& bevel) {
  bevel = DefaultPsdBevel();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    if (IsPsdTextKey(key, "antialiasGloss")) {
      return ReadPsdBoolValue(type, cursor, bevel.glossContour.antiAlias);
    }
    if (IsPsdTextKey(key, "useShape")) {
      return ReadPsdBoolValue(type, cursor, bevel.useContour);
    }
    if (IsPsdTextKey(key, "useTexture")) {
      return ReadPsdBoolValue(type, cursor, bevel.useTexture);
    }
    if (IsPsdTextKey(key, "textureDepth")) {
      return ReadPsdIntValue(type, cursor, bevel.textureDepth);
    }
    if (IsPsdTextKey(key, "phase")) {
      return ReadPsdPointValue(type, cursor, bevel.phaseX, bevel.phaseY);
    }
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, bevel.enabled);
      case PsdKey("bvlS"): return ReadBevelStyle(type, cursor, bevel.style);
      case PsdKey("bvlT"): return ReadPsdEnumValue(type, cursor, ReadPsdTechniqueEnum, bevel.technique);
      case PsdKey("srgR"): return ReadPsdIntValue(type, cursor, bevel.depth);
      case PsdKey("bvlD"): return ReadPsdEnumChoice(type, cursor, kBevelDirections, bevel.direction);
      case PsdKey("blur"): return ReadPsdIntValue(type, cursor, bevel.size);
      case PsdKey("Sftn"): return ReadPsdIntValue(type, cursor, bevel.soften);
      case PsdKey("lagl"): return ReadPsdIntValue(type, cursor, bevel.angle);
      case PsdKey("uglg"): return ReadPsdBoolValue(type, cursor, bevel.useGlobalLight);
      case PsdKey("Lald"): return ReadPsdIntValue(type, cursor, bevel.altitude);
      case PsdKey("TrnS"): return ReadPsdContourValue(type, cursor, bevel.glossContour);
      case PsdKey("hglM"): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, bevel.highlightBlendMode);
      case PsdKey("hglC"): return ReadBothColors(type, cursor, bevel.highlightColor, bevel.nativeHighlightColor);
      case PsdKey("hglO"): return ReadPsdOpacityValue(type, cursor, bevel.highlightOpacity);
      case PsdKey("sdwM"): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, bevel.shadowBlendMode);
      case PsdKey("sdwC"): return ReadBothColors(type, cursor, bevel.shadowColor, bevel.nativeShadowColor);
      case PsdKey("sdwO"): return ReadPsdOpacityValue(type, cursor, bevel.shadowOpacity);
      case PsdKey("MpgS"): return ReadPsdContourValue(type, cursor, bevel.contour);
      case PsdKey("AntA"): return ReadPsdBoolValue(type, cursor, bevel.contour.antiAlias);
      case PsdKey("Inpr"): return ReadPsdIntValue(type, cursor, bevel.contourRange);
      case PsdKey("Ptrn"): return ReadPsdPatternValue(type, cursor, bevel.texturePattern);
      case PsdKey("Scl "): return ReadPsdIntValue(type, cursor, bevel.textureScale);
      case PsdKey("InvT"): return ReadPsdBoolValue(type, cursor, bevel.invertTexture);
      case PsdKey("Algn"): return ReadPsdBoolValue(type, cursor, bevel.alignTexture);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdColorOverlayDescriptor(PsdCursor& cursor, PsdColorOverlayEffect& overlay) {
  overlay = DefaultPsdColorOverlay();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, overlay.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, overlay.blendMode);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, overlay.opacity);
      case PsdKey("Clr "): return ReadBothColors(type, cursor, overlay.color, overlay.nativeColor);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdGradientOverlayDescriptor(PsdCursor& cursor, PsdGradientOverlayEffect& overlay) {
  overlay = DefaultPsdGradientOverlay();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, overlay.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, overlay.blendMode);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, overlay.opacity);
      case PsdKey("Grad"): return ReadPsdGradientValue(type, cursor, overlay.gradient);
      case PsdKey("Rvrs"): return ReadPsdBoolValue(type, cursor, overlay.reverse);
      case PsdKey("Type"): return ReadPsdEnumValue(type, cursor, ReadPsdGradientTypeEnum, overlay.gradientType);
      case PsdKey("Algn"): return ReadPsdBoolValue(type, cursor, overlay.align);
      case PsdKey("Angl"): return ReadPsdIntValue(type, cursor, overlay.angle);
      case PsdKey("Scl "): return ReadPsdIntValue(type, cursor, overlay.scale);
      case PsdKey("Ofst"): return ReadPsdPointValue(type, cursor, overlay.offsetX, overlay.offsetY);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdPatternOverlayDescriptor(PsdCursor& cursor, PsdPatternOverlayEffect& overlay) {
  overlay = DefaultPsdPatternOverlay();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    if (IsPsdTextKey(key, "phase")) {
      return PassOverPhase(type, cursor);
    }
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, overlay.enabled);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, overlay.blendMode);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, overlay.opacity);
      case PsdKey("Scl "): return ReadPsdIntValue(type, cursor, overlay.scale);
      case PsdKey("Algn"): return ReadPsdBoolValue(type, cursor, overlay.align);
      case PsdKey("Ptrn"): return ReadPsdPatternValue(type, cursor, overlay.pattern);
      default: return Skip(type, cursor);
    }
  });
}

int ReadPsdStrokeDescriptor(PsdCursor& cursor, PsdStrokeEffect& stroke) {
  stroke = DefaultPsdStroke();
  return ReadPsdDescriptorItems(cursor, [&](const PsdDescriptorId& key, std::uint32_t type) {
    if (IsPsdTextKey(key, "phase")) {
      return PassOverPhase(type, cursor);
    }
    switch (PsdKeyOf(key)) {
      case PsdKey("enab"): return ReadPsdBoolValue(type, cursor, stroke.enabled);
      case PsdKey("Sz  "): return ReadPsdIntValue(type, cursor, stroke.size);
      case PsdKey("Styl"): return ReadPsdEnumChoice(type, cursor, kStrokePositions, stroke.position);
      case PsdKey("Md  "): return ReadPsdEnumValue(type, cursor, ReadPsdBlendModeEnum, stroke.blendMode);
      case PsdKey("Opct"): return ReadPsdOpacityValue(type, cursor, stroke.opacity);
      case PsdKey("PntT"): return ReadPsdEnumChoice(type, cursor, kPaintTypes, stroke.paintType);
      case PsdKey("Clr "): return ReadPsdColorValue(type, cursor, stroke.color);
      case PsdKey("Grad"): return ReadPsdGradientValue(type, cursor, stroke.gradient);
      case PsdKey("Rvrs"): return ReadPsdBoolValue(type, cursor, stroke.reverse);
      case PsdKey("Type"): return ReadPsdEnumValue(type, cursor, ReadPsdGradientTypeEnum, stroke.gradientType);
      case PsdKey("Algn"): return ReadPsdBoolValue(type, cursor, stroke.align);
      case PsdKey("Angl"): return ReadPsdIntValue(type, cursor, stroke.angle);
      case PsdKey("Ofst"): return ReadPsdPointValue(type, cursor, stroke.offsetX, stroke.offsetY);
      case PsdKey("Ptrn"): return ReadPsdPatternValue(type, cursor, stroke.pattern);
      case PsdKey("Lnkd"): return ReadPsdBoolValue(type, cursor, stroke.linked);
      case PsdKey("Scl "): {
        // The scale belongs to the paint the stroke uses.
        std::int32_t dropped = 0;
        std::int32_t& scale = stroke.paintType == 1   ? stroke.gradientScale
                              : stroke.paintType == 2 ? stroke.patternScale
                                                      : dropped;
        return ReadPsdIntValue(type, cursor, scale);
      }
      default: return Skip(type, cursor);
    }
  });
}

}  // namespace psd
