#pragma once

#include <array>
#include <cstdint>

#include "Psd/PsdContour.h"
#include "Psd/PsdDescriptorObjects.h"

// The layer effects of the 'lrFX' and 'lfx2' blocks. Each effect record takes
// its defaults when the effect is read; a record never read stays zero.
namespace psd {

struct PsdShadowEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint32_t color = 0;
  std::uint32_t nativeColor = 0;
  std::uint8_t opacity = 0;
  std::int32_t angle = 0;
  std::uint8_t useGlobalLight = 0;
  std::int32_t distance = 0;
  std::int32_t spread = 0;
  std::int32_t size = 0;
  PsdContour contour{};
  std::int32_t noise = 0;
  std::uint8_t layerConceals = 0;  // drop shadow only
};

struct PsdGlowEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint8_t opacity = 0;
  std::int32_t noise = 0;
  std::int32_t usesGradient = 0;
  std::uint32_t color = 0;
  std::uint32_t nativeColor = 0;
  PsdGradient gradient;
  std::int32_t technique = 0;
  std::int32_t source = 0;  // inner glow only: 0 centre, 1 edge
  std::int32_t spread = 0;  // the choke of an inner glow
  std::int32_t size = 0;
  PsdContour contour{};
  std::int32_t range = 0;
  std::int32_t jitter = 0;
};

struct PsdBevelEffect {
  std::uint8_t enabled = 0;
  std::int32_t style = 0;
  std::int32_t technique = 0;
  std::int32_t depth = 0;
  std::int32_t direction = 0;
  std::int32_t size = 0;
  std::int32_t soften = 0;
  std::int32_t angle = 0;
  std::uint8_t useGlobalLight = 0;
  std::int32_t altitude = 0;
  PsdContour glossContour{};
  std::int32_t highlightBlendMode = 0;
  std::uint32_t highlightColor = 0, nativeHighlightColor = 0;
  std::uint8_t highlightOpacity = 0;
  std::int32_t shadowBlendMode = 0;
  std::uint32_t shadowColor = 0, nativeShadowColor = 0;
  std::uint8_t shadowOpacity = 0;
  std::uint8_t useContour = 0;
  PsdContour contour{};
  std::int32_t contourRange = 0;
  std::uint8_t useTexture = 0;
  PsdPatternReference texturePattern;
  std::int32_t textureScale = 0;
  std::int32_t textureDepth = 0;
  std::uint8_t invertTexture = 0;
  std::uint8_t alignTexture = 0;
  std::int32_t phaseX = 0, phaseY = 0;
};

struct PsdSatinEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint32_t color = 0;
  std::uint8_t opacity = 0;
  std::int32_t angle = 0;
  std::int32_t distance = 0;
  std::int32_t size = 0;
  PsdContour contour{};
  std::uint8_t invert = 0;
};

struct PsdColorOverlayEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint32_t color = 0;
  std::uint8_t opacity = 0;
  std::uint32_t nativeColor = 0;
};

struct PsdGradientOverlayEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint8_t opacity = 0;
  PsdGradient gradient;
  std::uint8_t reverse = 0;
  std::int32_t gradientType = 0;
  std::uint8_t align = 0;
  std::int32_t angle = 0;
  std::int32_t scale = 0;
  std::int32_t offsetX = 0, offsetY = 0;
};

struct PsdPatternOverlayEffect {
  std::uint8_t enabled = 0;
  std::int32_t blendMode = 0;
  std::uint8_t opacity = 0;
  std::int32_t scale = 0;
  std::uint8_t align = 0;
  PsdPatternReference pattern;
  std::int32_t phaseX = 0, phaseY = 0;
};

struct PsdStrokeEffect {
  std::uint8_t enabled = 0;
  std::int32_t size = 0;
  std::int32_t position = 0;  // 0 outside, 1 inside, 2 centre
  std::int32_t blendMode = 0;
  std::uint8_t opacity = 0;
  std::int32_t paintType = 0;  // 0 colour, 1 gradient, 2 pattern
  std::uint32_t color = 0;
  PsdGradient gradient;
  std::uint8_t reverse = 0;
  std::int32_t gradientType = 0;
  std::uint8_t align = 0;
  std::int32_t angle = 0;
  std::int32_t gradientScale = 0;
  std::int32_t offsetX = 0, offsetY = 0;
  PsdPatternReference pattern;
  std::int32_t patternScale = 0;
  std::uint8_t linked = 0;
  std::int32_t phaseX = 0, phaseY = 0;
};

// The order of the two flag arrays.
enum PsdEffectSlot : int {
  kPsdDropShadowSlot,
  kPsdInnerShadowSlot,
  kPsdOuterGlowSlot,
  kPsdInnerGlowSlot,
  kPsdSatinSlot,
  kPsdColorOverlaySlot,
  kPsdGradientOverlaySlot,
  kPsdPatternOverlaySlot,
  kPsdStrokeSlot,
  kPsdBevelSlot,
  kPsdEffectSlotCount
};

struct PsdLayerEffects {
  std::int16_t effectCount = 0;
  std::uint8_t masterSwitch = 0;
  PsdShadowEffect dropShadow;
  PsdShadowEffect innerShadow;
  PsdGlowEffect outerGlow;
  PsdGlowEffect innerGlow;
  PsdBevelEffect bevel;
  PsdSatinEffect satin;
  PsdColorOverlayEffect colorOverlay;
  PsdGradientOverlayEffect gradientOverlay;
  PsdPatternOverlayEffect patternOverlay;
  PsdStrokeEffect stroke;
  // Both set for an effect when its record is read.
  std::array<std::uint8_t, kPsdEffectSlotCount> present{};
  std::array<std::uint8_t, kPsdEffectSlotCount> read{};
};

// Records with their defaults, as an effect's reader starts them.
PsdShadowEffect DefaultPsdShadow();
PsdGlowEffect DefaultPsdOuterGlow();
PsdGlowEffect DefaultPsdInnerGlow();
PsdBevelEffect DefaultPsdBevel();
PsdSatinEffect DefaultPsdSatin();
PsdColorOverlayEffect DefaultPsdColorOverlay();
PsdGradientOverlayEffect DefaultPsdGradientOverlay();
PsdPatternOverlayEffect DefaultPsdPatternOverlay();
PsdStrokeEffect DefaultPsdStroke();

// An opacity percentage as a byte.
std::uint8_t PsdOpacityOfPercent(double percent);

}  // namespace psd
