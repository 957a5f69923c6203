#include <gtest/gtest.h>

#include "Psd/PsdColor.h"
#include "Psd/PsdCompositePlanes.h"
#include "Psd/PsdError.h"
#include "Psd/PsdPixels.h"

namespace {

struct ColorCase {
  const char* what;
  int space;
  int c[4];
  std::uint32_t expected;
  int result;
};

TEST(PsdColor, ColorRecordsConvertBySpace) {
  const ColorCase cases[] = {
      {"RGB", 0, {-1, -128, 0, 0}, 0xFFFF8000u, psd::kPsdOk},
      {"HSB red", 1, {0, 100, 50, 0}, 0xFFFF0000u, psd::kPsdOk},
      {"HSB gray", 1, {0, 0, 50, 0}, 0xFF7F7F7Fu, psd::kPsdOk},
      {"CMYK no ink", 2, {0, 0, 0, 0}, 0xFFFFFFFFu, psd::kPsdOk},
      {"CMYK full black", 2, {0, 0, 0, 100}, 0xFF000000u, psd::kPsdOk},
      {"Lab black", 7, {0, 0, 0, 0}, 0xFF000000u, psd::kPsdOk},
      {"unknown space", 3, {0, 0, 0, 0}, 0x00FFFFFFu, psd::kPsdBadColorSpace},
  };
  for (const ColorCase& c : cases) {
    std::uint32_t color = 0;
    EXPECT_EQ(psd::ConvertPsdColor(&color, c.space, c.c[0], c.c[1], c.c[2], c.c[3]), c.result) << c.what;
    EXPECT_EQ(color, c.expected) << c.what;
  }
}

TEST(PsdColor, ColorRecordKeepsTheSignedHighBytes) {
  const std::uint8_t record[10] = {0, 0, 0xFF, 0x00, 0x80, 0x00, 0x00, 0x00, 0, 0};
  psd::PsdCursor cursor(record, sizeof(record));
  EXPECT_EQ(psd::ReadPsdColor(cursor), 0xFFFF8000u);
  EXPECT_EQ(cursor.Remaining(), 0u);
  const std::uint8_t unknown[10] = {0, 3};
  psd::PsdCursor other(unknown, sizeof(unknown));
  EXPECT_EQ(psd::ReadPsdColor(other), 0x00FFFFFFu);
}

struct PixelCase {
  const char* what;
  std::uint32_t mode;
  int depth;
  std::vector<std::uint8_t> planes;  // one pixel a plane (two bytes at depth 16)
  std::int32_t planeCount;
  std::uint32_t expected;
};

TEST(PsdColor, PlanesConvertByModeAndDepth) {
  std::vector<std::uint32_t> palette(4, 0);
  palette[2] = 0xFF102030u;
  psd::PsdIndexedColors indexed;
  indexed.palette = &palette;
  indexed.colorCount = 4;
  indexed.transparentIndex = 3;
  const PixelCase cases[] = {
      {"gray", 1, 8, {0x40}, 1, 0xFF404040u},
      {"gray with alpha after it", 1, 8, {0x40, 0x80}, 2, 0x80404040u},
      {"gray at 16 bits takes the high byte", 1, 16, {0x40, 0xFF}, 1, 0xFF404040u},
      {"duotone as gray", 8, 8, {0x10}, 1, 0xFF101010u},
      {"bitmap set bit is black", 0, 1, {0x80}, 1, 0xFF000000u},
      {"bitmap clear bit is white", 0, 1, {0x00}, 1, 0xFFFFFFFFu},
      {"indexed", 2, 8, {2}, 1, 0xFF102030u},
      {"indexed transparent index", 2, 8, {3}, 1, 0x00FFFFFFu},
      {"indexed beyond the count", 2, 8, {9}, 1, 0x00FFFFFFu},
      {"RGB", 3, 8, {0xFF, 0x80, 0x00}, 3, 0xFFFF8000u},
      {"RGB with alpha last", 3, 8, {0xFF, 0x80, 0x00, 0x40}, 4, 0x40FF8000u},
      {"RGB at 16 bits", 3, 16, {0xFF, 0, 0x80, 0, 0x01, 0xFF}, 3, 0xFFFF8001u},
      {"CMYK no ink", 4, 8, {255, 255, 255, 255}, 4, 0xFFFFFFFFu},
      {"CMYK full black", 4, 8, {255, 255, 255, 0}, 4, 0xFF000000u},
      {"CMYK with alpha", 4, 8, {255, 255, 255, 255, 0x20}, 5, 0x20FFFFFFu},
      {"multichannel without black", 7, 8, {255, 255, 255}, 3, 0xFFFFFFFFu},
      {"multichannel with black", 7, 8, {255, 255, 255, 0}, 4, 0xFF000000u},
      {"Lab black", 9, 8, {0, 128, 128}, 3, 0xFF000000u},
      {"Lab white", 9, 8, {255, 128, 128}, 3, 0xFFFDFDFDu},
      {"Lab clamped", 9, 8, {128, 255, 0}, 3, 0xFFB700FFu},
      {"indexed at 16 bits has no conversion", 2, 16, {2, 0}, 1, 0},
      {"bitmap at 8 bits has no conversion", 0, 8, {0x80}, 1, 0},
  };
  for (const PixelCase& c : cases) {
    std::vector<std::uint32_t> pixel(1, 0);
    psd::ConvertPsdPlanesByPosition(c.mode, c.depth, 1, 1, c.planes, c.planeCount, indexed, pixel);
    EXPECT_EQ(pixel[0], c.expected) << c.what;
  }
}

TEST(PsdColor, BitmapRowsStartOnByteBoundaries) {
  const std::vector<std::uint8_t> plane = {0b10100000, 0b01000000};  // 3 x 2
  std::vector<std::uint32_t> pixels(6, 0);
  psd::ConvertPsdPlanesByPosition(0, 1, 3, 2, plane, 1, {}, pixels);
  EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu, 0xFF000000u,
                                                0xFFFFFFFFu}));
}

}  // namespace
