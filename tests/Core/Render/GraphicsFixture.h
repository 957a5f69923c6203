#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/Vertices.h"
#include "tests/Core/Render/RenderFixture.h"

namespace render_testing {

// A screen Graphics over the fake Render inside an open scene, with an image
// of 8 x 4 pixels whose texture exists only as a size.
class GraphicsFixture : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    graphics = std::make_unique<render::Graphics>(render);
    ASSERT_EQ(render.BeginScene(), QL_OK);
    render.log.clear();
  }

  static std::unique_ptr<render::Image> SizedImage(int width, int height) {
    auto texture = std::make_unique<render::TextureDX9>(nullptr);
    // Without a device only the size is kept, which is all drawing reads.
    texture->CreateRenderTarget(width, height);
    return std::make_unique<render::Image>(std::move(texture));
  }

  template <class Vertex>
  std::uint32_t UsedVertices() const {
    return render::VertexCacheOf<Vertex>(render)->GetMainBuffer()->GetImpl()->GetUsed();
  }

  // The vertices written into the main cache buffer of their type.
  template <class Vertex, std::size_t N>
  std::array<Vertex, N> VerticesAt(std::uint32_t first) const {
    const auto* buffer =
        static_cast<const FakeVertexBuffer*>(render::VertexCacheOf<Vertex>(render)->GetMainBuffer()->GetImpl());
    std::array<Vertex, N> vertices;
    std::memcpy(vertices.data(), buffer->GetBytes() + first * sizeof(Vertex), sizeof(Vertex) * N);
    return vertices;
  }

  // How many lines of the replayed frame begin with the prefix.
  std::size_t CountAfterFrame(const std::string& prefix) {
    EXPECT_EQ(FinishFrame(), QL_OK);
    return Matching(render.log, prefix).size();
  }

  std::unique_ptr<render::Graphics> graphics;
  std::unique_ptr<render::Image> image = SizedImage(8, 4);
};

}  // namespace render_testing
