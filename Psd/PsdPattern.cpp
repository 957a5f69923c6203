#include <algorithm>

#include "Psd/PsdChannelData.h"
#include "Psd/PsdCompositePlanes.h"
#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

constexpr std::uint64_t kArrayHeaderSize = 23;

bool IsKnownColorMode(std::uint32_t mode) { return mode <= 4 || (mode >= 7 && mode <= 9); }

std::int32_t PlanesOfMode(std::uint32_t mode) {
  switch (mode) {
    case 1:
    case 8:
      return 2;
    case 3:
    case 7:
    case 9:
      return 4;
    case 4:
      return 5;
    default:
      return 1;
  }
}

void ReadPatternHeader(PsdCursor& data, PsdPattern& pattern, std::vector<std::uint32_t>& palette) {
  pattern.height = data.U16();
  pattern.width = data.U16();
  const std::uint64_t nameLength = std::min<std::uint64_t>(data.U32(), data.Remaining() / 2);
  pattern.name.assign(nameLength, u'\0');
  for (char16_t& unit : pattern.name) {
    unit = data.U16();
  }
  pattern.identifier.assign(data.U8(), '\0');
  pattern.identifier.resize(data.Read(pattern.identifier.data(), pattern.identifier.size()));
  if (pattern.colorMode == 2) {
    palette.resize(256);
    for (std::uint32_t& color : palette) {
      const std::uint32_t red = data.U8();
      const std::uint32_t green = data.U8();
      const std::uint32_t blue = data.U8();
      color = 0xFF000000u | red << 16 | green << 8 | blue;
    }
  }
  pattern.listVersion = data.U32();
  data.Skip(4);
  pattern.top = static_cast<std::int16_t>(data.I32());
  pattern.left = static_cast<std::int16_t>(data.I32());
  pattern.bottom = static_cast<std::int16_t>(data.I32());
  pattern.right = static_cast<std::int16_t>(data.I32());
}

// One written virtual memory array: its depth, compression and data.
struct PatternArray {
  int depth = 0;
  std::uint8_t compression = 0;
  PsdCursor data;
};

std::vector<PatternArray> ReadWrittenArrays(PsdCursor& data) {
  std::vector<PatternArray> arrays;
  const std::uint32_t channelCount = data.U32();
  for (std::uint32_t channel = 0; channel < channelCount && data.Remaining() > 12; ++channel) {
    const bool written = (data.U32() & 0xFF) == 1;
    PsdCursor array = data.Slice(data.U32());
    if (array.Size() < kArrayHeaderSize || !written) {
      continue;
    }
    PatternArray& read = arrays.emplace_back();
    read.depth = static_cast<int>(array.U32());
    array.Skip(18);
    read.compression = array.U8();
    read.data = array;
  }
  return arrays;
}

// Written arrays fill the planes in order; arrays beyond the planes of the
// mode are passed over. The pattern is counted before anything is decoded,
// and refused when none of its arrays holds enough data to fill a plane.
int ReadPatternPlanes(PsdCursor& data, PsdDocument& document, PsdPattern& pattern, std::vector<std::uint8_t>& planes,
                      int& firstDepth) {
  const int depth = document.depth;
  const std::uint64_t rows = static_cast<std::uint64_t>(pattern.height);
  const std::uint64_t rowBytes = PsdRowBytes(static_cast<std::uint64_t>(pattern.width), depth);
  const std::uint64_t planeSize = rowBytes * rows;
  const std::vector<PatternArray> arrays = ReadWrittenArrays(data);
  const bool unknownCompression = std::any_of(arrays.begin(), arrays.end(),
                                              [](const PatternArray& array) { return array.compression > kPsdZipPredicted; });
  if (unknownCompression) {
    return kPsdBadCompression;
  }
  const bool fillable = std::any_of(arrays.begin(), arrays.end(), [&](const PatternArray& array) {
    return PsdMaxUnpackedBytes(array.compression, array.data.Remaining(), rows) >= planeSize;
  });
  if (!fillable) {
    return kPsdShortData;
  }
  const std::uint64_t maxPlanes = static_cast<std::uint64_t>(PlanesOfMode(pattern.colorMode));
  const std::uint64_t pixels = static_cast<std::uint64_t>(pattern.width) * rows;
  if (ChargePsdDecodedBytes(document, planeSize * maxPlanes + pixels * sizeof(std::uint32_t)) != kPsdOk) {
    return kPsdBadDimensions;
  }
  firstDepth = arrays.front().depth;
  planes.assign(planeSize * maxPlanes, 0);
  for (const PatternArray& array : arrays) {
    if (static_cast<std::uint64_t>(pattern.planeCount) >= maxPlanes) {
      break;
    }
    const std::span<std::uint8_t> plane =
        std::span<std::uint8_t>(planes).subspan(static_cast<std::uint64_t>(pattern.planeCount) * planeSize, planeSize);
    const int result = DecodePsdPlane(array.compression, array.data, rows, rowBytes,
                                      static_cast<std::uint64_t>(pattern.width), depth, plane);
    if (result != kPsdOk) {
      return result;
    }
    ++pattern.planeCount;
  }
  return kPsdOk;
}

}  // namespace

int ReadPsdPattern(PsdCursor& cursor, PsdDocument& document) {
  const std::uint64_t length = (std::uint64_t{cursor.U32()} + 3) & ~std::uint64_t{3};
  PsdCursor data = cursor.Slice(length);
  if (data.U32() != 1) {
    return kPsdBadPatternVersion;
  }
  PsdPattern pattern;
  pattern.colorMode = data.U32();
  if (!IsKnownColorMode(pattern.colorMode)) {
    return kPsdBadColorMode;
  }
  std::vector<std::uint32_t> palette;
  ReadPatternHeader(data, pattern, palette);
  std::vector<std::uint8_t> planes;
  int firstDepth = -1;
  if (pattern.width > 0 && pattern.height > 0) {
    const int result = ReadPatternPlanes(data, document, pattern, planes, firstDepth);
    if (result != kPsdOk) {
      return result;
    }
    pattern.pixels.assign(static_cast<std::size_t>(pattern.width) * pattern.height, 0);
    // A bitmap pattern is converted only when its planes hold one bit a pixel.
    if (pattern.colorMode != 0 || firstDepth == 1) {
      PsdIndexedColors indexed;
      indexed.palette = &palette;
      indexed.test = false;
      ConvertPsdPlanesByPosition(pattern.colorMode, document.depth, pattern.width, pattern.height, planes,
                                 pattern.planeCount, indexed, pattern.pixels);
    }
  }
  document.patterns.push_back(std::move(pattern));
  return kPsdOk;
}

}  // namespace psd
