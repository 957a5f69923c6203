#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

constexpr std::uint16_t kMaxChannels = 56;

bool IsKnownColorMode(std::uint32_t mode) { return mode <= 4 || (mode >= 7 && mode <= 9); }

std::uint64_t CompositePixelBytes(const PsdDocument& document) {
  return static_cast<std::uint64_t>(document.columns) * static_cast<std::uint64_t>(document.rows) *
         sizeof(std::uint32_t);
}

}  // namespace

int ChargePsdDecodedBytes(PsdDocument& document, std::uint64_t bytes) {
  if (bytes > kPsdMaxDecodedBytes - document.decodedBytes) {
    return kPsdBadDimensions;
  }
  document.decodedBytes += bytes;
  return kPsdOk;
}

PsdIndexedColors PsdDocumentIndexedColors(const PsdDocument& document) {
  PsdIndexedColors indexed;
  indexed.palette = &document.palette;
  indexed.colorCount =
      document.indexedColorCount > 0 ? document.indexedColorCount : static_cast<std::int32_t>(document.palette.size());
  indexed.transparentIndex = document.transparentIndex;
  return indexed;
}

int ReadPsdHeader(PsdCursor& cursor, PsdDocument& document) {
  PsdCursor header = cursor.Slice(26);
  if (header.Size() < 26) {
    return kPsdShortData;
  }
  if (header.Key() != PsdKey("8BPS")) {
    return kPsdBadSignature;
  }
  if (header.U16() != 1) {
    return kPsdBadVersion;
  }
  header.Skip(6);
  document.channels = header.U16();
  document.colorPlaneCount = static_cast<std::int16_t>(document.channels);
  document.rows = header.I32();
  document.columns = header.I32();
  document.depth = header.U16();
  document.colorMode = header.U16();
  if (document.depth != 1 && document.depth != 8 && document.depth != 16) {
    return kPsdBadDepth;
  }
  if (!IsKnownColorMode(document.colorMode)) {
    return kPsdBadColorMode;
  }
  if (document.channels < 1 || document.channels > kMaxChannels || document.rows < 1 ||
      document.rows > kPsdMaxDimension || document.columns < 1 || document.columns > kPsdMaxDimension) {
    return kPsdBadDimensions;
  }
  // The composite's pixels come before any layer, so that the layers are
  // counted against what is left.
  return ChargePsdDecodedBytes(document, CompositePixelBytes(document));
}

int ReadPsdColorModeData(PsdCursor& cursor, PsdDocument& document) {
  PsdCursor section = cursor.Slice(cursor.U32());
  const std::uint64_t count = section.Size() / 3;
  const std::uint8_t* planes = section.Take(count * 3);
  document.palette.resize(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    document.palette[i] = 0xFF000000u | static_cast<std::uint32_t>(planes[i]) << 16 |
                          static_cast<std::uint32_t>(planes[count + i]) << 8 | planes[2 * count + i];
  }
  return kPsdOk;
}

}  // namespace psd
