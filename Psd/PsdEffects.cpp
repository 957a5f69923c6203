#include "Psd/PsdEffects.h"

#include <algorithm>

namespace psd {

namespace {

constexpr std::int32_t kMultiply = 3;
constexpr std::int32_t kScreen = 7;
constexpr std::uint8_t kThreeQuarters = 191;

}  // namespace

std::uint8_t PsdOpacityOfPercent(double percent) {
  return static_cast<std::uint8_t>(std::clamp(percent * 2.55 + 0.5, 0.0, 255.0));
}

PsdShadowEffect DefaultPsdShadow() {
  PsdShadowEffect shadow;
  shadow.blendMode = kMultiply;
  shadow.color = shadow.nativeColor = 0xFF000000u;
  shadow.opacity = kThreeQuarters;
  shadow.angle = 120;
  shadow.useGlobalLight = 1;
  shadow.distance = 5;
  shadow.size = 5;
  shadow.contour = DefaultPsdContour();
  return shadow;
}

PsdGlowEffect DefaultPsdOuterGlow() {
  PsdGlowEffect glow;
  glow.blendMode = kScreen;
  glow.opacity = kThreeQuarters;
  glow.color = glow.nativeColor = 0xFFFFFFBEu;
  glow.size = 5;
  glow.contour = DefaultPsdContour();
  glow.range = 50;
  return glow;
}

PsdGlowEffect DefaultPsdInnerGlow() {
  PsdGlowEffect glow = DefaultPsdOuterGlow();
  glow.source = 1;
  return glow;
}

PsdBevelEffect DefaultPsdBevel() {
  PsdBevelEffect bevel;
  bevel.style = 1;
  bevel.technique = 2;
  bevel.depth = 100;
  bevel.size = 5;
  bevel.angle = 120;
  bevel.useGlobalLight = 1;
  bevel.altitude = 30;
  bevel.glossContour = DefaultPsdContour();
  bevel.highlightBlendMode = kScreen;
  bevel.highlightColor = bevel.nativeHighlightColor = 0xFFFFFFFFu;
  bevel.highlightOpacity = kThreeQuarters;
  bevel.shadowBlendMode = kScreen;
  bevel.shadowColor = bevel.nativeShadowColor = 0xFF000000u;
  bevel.shadowOpacity = kThreeQuarters;
  bevel.contour = DefaultPsdContour();
  bevel.contourRange = 50;
  bevel.textureScale = 100;
  bevel.textureDepth = 100;
  bevel.alignTexture = 1;
  return bevel;
}

PsdSatinEffect DefaultPsdSatin() {
  PsdSatinEffect satin;
  satin.blendMode = kMultiply;
  satin.color = 0xFF000000u;
  satin.opacity = 128;
  satin.angle = 19;
  satin.distance = 11;
  satin.size = 14;
  satin.contour = DefaultPsdContour();
  satin.invert = 1;
  return satin;
}

PsdColorOverlayEffect DefaultPsdColorOverlay() {
  PsdColorOverlayEffect overlay;
  overlay.color = 0xFFFF0000u;
  overlay.opacity = 255;
  return overlay;
}

PsdGradientOverlayEffect DefaultPsdGradientOverlay() {
  PsdGradientOverlayEffect overlay;
  overlay.opacity = 255;
  overlay.align = 1;
  overlay.angle = 90;
  overlay.scale = 100;
  return overlay;
}

PsdPatternOverlayEffect DefaultPsdPatternOverlay() {
  PsdPatternOverlayEffect overlay;
  overlay.opacity = 255;
  overlay.scale = 100;
  overlay.align = 1;
  return overlay;
}

PsdStrokeEffect DefaultPsdStroke() {
  PsdStrokeEffect stroke;
  stroke.size = 3;
  stroke.opacity = 255;
  stroke.color = 0xFFFF0000u;
  stroke.align = 1;
  stroke.angle = 90;
  stroke.gradientScale = 100;
  stroke.patternScale = 100;
  stroke.linked = 1;
  return stroke;
}

}  // namespace psd
