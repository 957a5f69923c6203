#include "Core/Render/Vertices.h"

namespace render {

static_assert(sizeof(SVertex2D) == 32 && sizeof(SVertexGeom) == 16 && sizeof(SVertexRT) == 24);

std::uint32_t PackColor(const math::Point4& colour) {
  const auto channel = [](float c) { return static_cast<std::uint32_t>(static_cast<int>(c * 255.0f)) & 0xFFu; };
  return channel(colour.a) << 24 | channel(colour.r) << 16 | channel(colour.g) << 8 | channel(colour.b);
}

}  // namespace render
