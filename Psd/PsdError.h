#pragma once

namespace psd {

// Results of the decoder: 0 success, every failure negative.
enum PsdError : int {
  kPsdOk = 0,
  kPsdNullArgument = -1,
  kPsdCannotOpen = -2,
  kPsdOutOfMemory = -4,
  kPsdShortData = -5,
  kPsdBadColorSpace = -15,
  kPsdBadDepth = -18,
  kPsdBadColorMode = -19,
  kPsdBadCompression = -20,
  // The header's size or channel count is outside 1..30000 and 1..56, or an
  // image is beyond the pixel limit: refused before anything is allocated.
  kPsdBadDimensions = -21,
  kPsdInflateFailed = -101,
  kPsdBadSignature = -200,
  kPsdBadVersion = -201,
  kPsdBadResourceSignature = -400,
  kPsdBadThumbnail = -401,
  kPsdBadLayerSignature = -500,
  kPsdBadBlockSignature = -528,
  kPsdBadDividerSignature = -529,
  kPsdBadPatternVersion = -531,
  // A descriptor nests deeper than any writer produces.
  kPsdDescriptorTooDeep = -532,
};

}  // namespace psd
