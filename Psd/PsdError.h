#pragma once

namespace psd {

// Results of the decoder: 0 success, every failure negative.
enum PsdError : int {
  kPsdOk = 0,
  kPsdNullArgument = -1,
  kPsdCannotOpen = -2,
  kPsdOutOfMemory = -4,
  // The data ends early, or holds too few bytes to fill its image.
  kPsdShortData = -5,
  kPsdBadColorSpace = -15,
  kPsdBadDepth = -18,
  kPsdBadColorMode = -19,
  kPsdBadCompression = -20,
  // The header's size or channel count is outside 1..30000 and 1..56, or the
  // document's images together are beyond the decoding limit: refused before
  // they are decoded.
  kPsdBadDimensions = -21,
  kPsdInflateFailed = -101,
  kPsdBadSignature = -200,
  kPsdBadVersion = -201,
  kPsdBadResourceSignature = -400,
  kPsdBadThumbnail = -401,
  kPsdBadLayerSignature = -500,
  kPsdBadLevelsVersion = -503,
  kPsdBadLevelsSignature = -505,
  kPsdBadLevelsLength = -506,
  kPsdBadExtraLevelsVersion = -507,
  kPsdBadCurvesVersion = -508,
  kPsdBadCurvesSignature = -509,
  kPsdBadExtraCurvesVersion = -510,
  kPsdBadHueSaturationVersion = -511,
  kPsdBadSelectiveColorVersion = -512,
  kPsdBadChannelMixerVersion = -513,
  kPsdBadPhotoFilterVersion = -514,
  kPsdBadGradientMapVersion = -515,
  kPsdBadEffectsVersion = -516,
  kPsdBadEffectSignature = -517,
  kPsdBadEffectKey = -518,
  kPsdBadCommonStateVersion = -519,
  kPsdBadShadowVersion = -520,
  kPsdBadOuterGlowVersion = -521,
  kPsdBadInnerGlowVersion = -522,
  kPsdBadBevelVersion = -523,
  kPsdBadSolidFillEffectVersion = -524,
  kPsdBadSolidFillVersion = -525,
  kPsdBadGradientFillVersion = -526,
  kPsdBadBlockSignature = -528,
  kPsdBadDividerSignature = -529,
  kPsdBadPatternFillVersion = -530,
  kPsdBadPatternVersion = -531,
  // A descriptor nests deeper than any writer produces.
  kPsdDescriptorTooDeep = -532,
  // A descriptor value of a type whose size is unknown; never a load's result.
  kPsdUnknownDescriptorType = -533,
};

}  // namespace psd
