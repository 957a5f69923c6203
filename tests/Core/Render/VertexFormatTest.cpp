#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "Core/Render/VertexFormat.h"
#include "Core/Render/Vertices.h"

namespace {

// Drawing code writes the vertex structs and the device reads them through
// their formats, so each format must describe its struct byte for byte, and
// the id the command stream carries must find it again.
TEST(VertexFormatTest, EachBuiltInFormatDescribesItsVertexStruct) {
  using render::SVertex2D;
  using render::SVertexGeom;
  using render::SVertexRT;
  using Offsets = std::vector<std::pair<std::string, std::size_t>>;
  struct Case {
    const char* name;
    std::uint32_t id;
    std::size_t size;
    Offsets offsets;
    std::size_t texCoords;
  };
  const Case cases[] = {
      {"SVertex2D", SVertex2D::formatId, sizeof(SVertex2D),
       {{"pos", offsetof(SVertex2D, x)}, {"diff", offsetof(SVertex2D, diffuse)},
        {"spec", offsetof(SVertex2D, specular)}, {"tutv", offsetof(SVertex2D, u)}},
       offsetof(SVertex2D, u)},
      {"SVertexGeom", SVertexGeom::formatId, sizeof(SVertexGeom),
       {{"pos", offsetof(SVertexGeom, x)}, {"diff", offsetof(SVertexGeom, diffuse)}}, 0},
      {"SVertexRT", SVertexRT::formatId, sizeof(SVertexRT),
       {{"pos", offsetof(SVertexRT, x)}, {"tutv", offsetof(SVertexRT, u)}}, offsetof(SVertexRT, u)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_LT(c.id, render::GetVertexFormatCount());
    const render::VertexFormat& format = render::GetVertexFormat(c.id);
    EXPECT_EQ(format.id, c.id);
    EXPECT_EQ(format.stride, c.size);
    Offsets offsets;
    for (const render::VertexElement& element : format.elements) offsets.emplace_back(element.name, element.offset);
    EXPECT_EQ(offsets, c.offsets);
    EXPECT_EQ(format.position.offset, 0u);
    ASSERT_EQ(format.texCoordSets.size(), c.texCoords != 0 ? 1u : 0u);
    if (c.texCoords != 0) {
      EXPECT_EQ(format.texCoordSets.front().offset, c.texCoords);
    }
  }
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
