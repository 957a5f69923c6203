#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "Psd/PsdDescriptorObjects.h"
#include "Psd/PsdEffects.h"

// The records of a layer's adjustment, fill, type and effect blocks.
namespace psd {

enum PsdItemKind : std::int32_t {
  kPsdLevelsItem = 1,
  kPsdCurvesItem = 2,
  kPsdBrightnessContrastItem = 3,
  kPsdColorBalanceItem = 4,
  kPsdHueSaturationItem = 5,
  kPsdSelectiveColorItem = 6,
  kPsdThresholdItem = 7,
  kPsdInvertItem = 8,
  kPsdPosterizeItem = 9,
  kPsdChannelMixerItem = 10,
  kPsdGradientMapItem = 11,
  kPsdPhotoFilterItem = 12,
  kPsdTypeToolItem = 13,
  kPsdLegacyEffectsItem = 15,
  kPsdEffectsDescriptorItem = 16,
  kPsdSolidFillItem = 17,
  kPsdGradientFillItem = 18,
  kPsdPatternFillItem = 19,
};

struct PsdLevelSet {
  std::int16_t inputFloor = 0, inputCeiling = 0;
  std::int16_t outputFloor = 0, outputCeiling = 0;
  float gamma = 0;
};

struct PsdLevels {
  std::array<PsdLevelSet, 29> sets{};
  std::vector<PsdLevelSet> extraSets;
};

// A curve keeps at most this many points; the stored count may say more.
constexpr int kPsdCurvePoints = 19;

struct PsdCurve {
  std::int16_t channel = 0;
  std::uint16_t pointCount = 0;
  std::array<std::int16_t, kPsdCurvePoints> output{};
  std::array<std::int16_t, kPsdCurvePoints> input{};
};

struct PsdCurves {
  std::vector<PsdCurve> curves;
};

struct PsdBrightnessContrast {
  std::int16_t brightness = 0, contrast = 0, mean = 0;
  std::uint8_t labOnly = 0;
};

struct PsdColorBalance {
  // Shadows, midtones, highlights.
  std::array<std::int16_t, 3> cyanRed{}, magentaGreen{}, yellowBlue{};
  std::uint8_t preserveLuminosity = 0;
};

struct PsdHueSaturation {
  std::uint8_t colorize = 0;
  std::int16_t colorizeHue = 0, colorizeSaturation = 0, colorizeLightness = 0;
  std::int16_t masterHue = 0, masterSaturation = 0, masterLightness = 0;
  std::array<std::array<std::int16_t, 4>, 6> ranges{};
  std::array<std::array<std::int16_t, 3>, 6> settings{};
};

struct PsdSelectiveColor {
  std::int16_t method = 0;
  std::array<std::int16_t, 10> cyan{}, magenta{}, yellow{}, black{};
};

struct PsdThreshold {
  std::int16_t level = 0;
};

struct PsdPosterize {
  std::int16_t levels = 0;
};

struct PsdChannelMixer {
  std::uint8_t monochrome = 0;
  // Row i: the i-th value (four source coefficients, then the constant) of
  // each of the four output channels.
  std::array<std::array<std::int16_t, 4>, 5> rows{};
};

struct PsdGradientMapColorStop {
  std::int32_t location = 0, midpoint = 0;
  std::uint32_t color = 0;
  std::int32_t stopType = 0;
};

struct PsdGradientMap {
  std::uint8_t reversed = 0, dithered = 0;
  std::u16string name;
  std::vector<PsdGradientMapColorStop> colorStops;
  std::vector<PsdTransparencyStop> transparencyStops;
  std::int16_t expansionCount = 0, interpolation = 0, length = 0, mode = 0;
  std::int32_t randomSeed = 0;
  std::int16_t showTransparency = 0, useVectorColor = 0;
  std::int32_t roughness = 0;
  std::uint32_t minimumColor = 0, maximumColor = 0;
};

struct PsdPhotoFilter {
  std::int32_t x = 0, y = 0, z = 0;
  std::int32_t density = 0;
  std::uint8_t preserveLuminosity = 0;
};

struct PsdTypeFace {
  std::int16_t mark = 0;
  std::int32_t fontType = 0;
  std::string fontName, familyName, styleName;  // at most 255 bytes each
  std::int16_t script = 0;
  std::vector<std::int32_t> designAxes;
};

struct PsdTypeStyle {
  std::int16_t mark = 0, faceMark = 0;
  std::int32_t size = 0, tracking = 0, kerning = 0, leading = 0, baselineShift = 0;
  std::uint8_t autoKerning = 0, rotate = 0;
};

struct PsdTypeLine {
  std::int32_t characterCount = 0;
  std::int16_t orientation = 0, alignment = 0, character = 0, style = 0;
};

struct PsdTypeTool {
  std::array<double, 6> transform{};
  std::vector<PsdTypeFace> faces;
  std::vector<PsdTypeStyle> styles;
  std::int16_t type = 0;
  std::int32_t scalingFactor = 0, characterCount = 0;
  std::int32_t horizontalPlacement = 0, verticalPlacement = 0;
  std::int32_t selectionStart = 0, selectionEnd = 0;
  std::vector<PsdTypeLine> lines;
  std::uint32_t color = 0;
  std::uint8_t antiAlias = 0;
};

struct PsdSolidFill {
  std::uint32_t classId = 0;
  std::uint32_t color = 0;
};

struct PsdGradientFill {
  std::uint32_t classId = 0;
  double angle = 0;
  std::int32_t gradientType = 0;  // 0 linear, 1 radial, 2 angle, 3 reflected, 4 diamond
  std::int32_t scale = 100;
  std::uint8_t reverse = 0;
  std::uint8_t dither = 0;
  std::uint8_t alignWithLayer = 1;
  PsdGradient gradient;
};

struct PsdPatternFill {
  std::uint32_t classId = 0;
  PsdPatternReference pattern;
  std::int32_t scale = 0;
};

// One item of a layer; an invert item has no record.
struct PsdLayerItem {
  PsdItemKind kind = kPsdInvertItem;
  std::variant<std::monostate, PsdLevels, PsdCurves, PsdBrightnessContrast, PsdColorBalance, PsdHueSaturation,
               PsdSelectiveColor, PsdThreshold, PsdPosterize, PsdChannelMixer, PsdGradientMap, PsdPhotoFilter,
               PsdTypeTool, PsdLayerEffects, PsdSolidFill, PsdGradientFill, PsdPatternFill>
      record;
};

// A layer keeps at most this many items; further blocks are passed over.
constexpr std::size_t kPsdMaxLayerItems = 20;

}  // namespace psd
