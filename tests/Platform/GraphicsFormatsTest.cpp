#include "Platform/GraphicsFormats.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphicsFormatsTest, LevelSizes) {
  using platform::TextureFormat;
  struct Case {
    TextureFormat format;
    int width, height, pitch;
    std::size_t bytes;
  };
  const Case cases[] = {
      {TextureFormat::kArgb8, 5, 3, 20, 60}, {TextureFormat::kDxt1, 5, 3, 16, 16}, {TextureFormat::kDxt3, 8, 8, 32, 64},
      {TextureFormat::kDxt5, 1, 1, 16, 16},  {TextureFormat::kDxt1, 2, 1, 8, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::RowPitch(c.format, c.width), c.pitch) << c.width << "x" << c.height;
    EXPECT_EQ(platform::LevelBytes(c.format, c.width, c.height), c.bytes) << c.width << "x" << c.height;
  }
  EXPECT_EQ(platform::LevelExtent(16, 2), 4);
  EXPECT_EQ(platform::LevelExtent(16, 7), 1);
}

}  // namespace
