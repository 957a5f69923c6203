#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Render/VertexFormat.h"
#include "Core/Render/Vertices.h"

namespace {

TEST(VertexFormatTest, TheBuiltInFormatsAreRegisteredInOrder) {
  struct Case {
    const render::VertexFormat& format;
    std::uint32_t id;
    std::uint32_t stride;
    std::uint32_t cacheCount;
    std::uint32_t cacheBatch;
    std::uint32_t fvf;
    std::vector<std::string> elements;
  };
  const Case cases[] = {
      {render::SVertex2D::Format(), 0, 32, 40960, 10240, 0x41C2, {"pos", "diff", "spec", "tutv"}},
      {render::SVertexGeom::Format(), 1, 16, 5120, 1024, 0x42, {"pos", "diff"}},
      {render::SVertexRT::Format(), 2, 24, 0, 0, 0x4102, {"pos", "tutv"}},
  };
  for (const Case& c : cases) {
    const render::VertexFormat& format = c.format;
    EXPECT_EQ(format.id, c.id);
    EXPECT_EQ(format.stride, c.stride) << c.id;
    EXPECT_EQ(format.cacheCount, c.cacheCount) << c.id;
    EXPECT_EQ(format.cacheBatch, c.cacheBatch) << c.id;
    EXPECT_EQ(format.fvf, c.fvf) << c.id;
    std::vector<std::string> names;
    for (const render::VertexElement& element : format.elements) names.push_back(element.name);
    EXPECT_EQ(names, c.elements) << c.id;
    EXPECT_EQ(format.position.name, "pos");
  }
  EXPECT_EQ(render::SVertex2D::Format().texCoordSets.front().offset, 24u);
}

TEST(VertexFormatTest, TexCoordSetsAddTheirSizeAndCount) {
  const render::VertexFormat format(7, 36, 0, 0,
                                    {{"pos", 0, 12, render::kElementPositionXYZ, 3},
                                     {"uv", 12, 8, render::kElementTexCoords, 2},
                                     {"uvw", 20, 12, render::kElementTexCoords, 3},
                                     {"s", 32, 4, render::kElementTexCoords, 1}});
  // Set 1 of three components, set 2 of one, three sets in all.
  EXPECT_EQ(format.fvf, 0x2u | 1u << 18 | 3u << 20 | 3u << 8);
}

TEST(VertexFormatTest, PackColorKeepsTheLowEightBitsOfEachChannel) {
  struct Case {
    math::Point4 colour;
    std::uint32_t packed;
  };
  for (const Case& c : {Case{{1, 1, 1, 1}, 0xFFFFFFFF}, Case{{1, 0.5f, 0, 1}, 0xFFFF7F00},
                        Case{{1.2f, 0, 0, 1}, 0xFF320000}, Case{{0, 0, 1, 0}, 0x000000FF}}) {
    EXPECT_EQ(render::PackColor(c.colour), c.packed) << c.colour.r << " " << c.colour.g;
  }
}

}  // namespace
