#include "Platform/GraphicsVertexLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::VertexAttribute;
using platform::VertexLayout;

struct LayoutCase {
  std::uint32_t fvf;
  int size;
  std::vector<VertexAttribute> attributes;
};

TEST(GraphicsVertexLayoutTest, ReadsTheRenderersFormats) {
  const LayoutCase cases[] = {
      // x y z w, diffuse, specular, u v
      {0x41C2, 32, {{0, 4, false, 0}, {2, 4, true, 16}, {3, 4, true, 20}, {4, 2, false, 24}}},
      // x y z, diffuse
      {0x42, 16, {{0, 3, false, 0}, {2, 4, true, 12}}},
      // x y z w, u v
      {0x4102, 24, {{0, 4, false, 0}, {4, 2, false, 16}}},
      // x y z, normal, two sets: the second of one float, then of three
      {0x001C0312, 48, {{0, 3, false, 0}, {1, 3, false, 12}, {4, 2, false, 24}, {5, 1, false, 32}, {6, 3, false, 36}}},
  };
  for (const LayoutCase& c : cases) {
    const auto layout = VertexLayout::FromFvf(c.fvf);
    ASSERT_TRUE(layout) << std::hex << c.fvf;
    EXPECT_EQ(layout->GetSize(), c.size) << std::hex << c.fvf;
    EXPECT_EQ(layout->GetAttributes(), c.attributes) << std::hex << c.fvf;
  }
}

TEST(GraphicsVertexLayoutTest, RefusesWhatItCannotDraw) {
  // No position, pre-transformed, blend weights, point size, nine sets, a reserved bit.
  for (const std::uint32_t fvf : {0x40u, 0x44u, 0x46u, 0x62u, 0x902u, 0x1002u}) {
    EXPECT_FALSE(VertexLayout::FromFvf(fvf)) << std::hex << fvf;
  }
}

}  // namespace
