#include "Core/Render/DrawParamQuad.h"

#include <limits>

namespace render {

void FillQuad(const QuadEdges& position, const QuadEdges& texCoords, std::uint32_t diffuse, std::uint32_t specular,
              std::uint32_t base, SVertex2D* vertices, std::uint16_t* indices) {
  vertices[0] = {position.left, position.top, 0.0f, 1.0f, diffuse, specular, texCoords.left, texCoords.top};
  vertices[1] = {position.right, position.top, 0.0f, 1.0f, diffuse, specular, texCoords.right, texCoords.top};
  vertices[2] = {position.right, position.bottom, 0.0f, 1.0f, diffuse, specular, texCoords.right, texCoords.bottom};
  vertices[3] = {position.left, position.bottom, 0.0f, 1.0f, diffuse, specular, texCoords.left, texCoords.bottom};
  WriteQuadIndices(base, indices);
}

void WriteQuadIndices(std::uint32_t base, std::uint16_t* indices) {
  constexpr std::uint16_t kCorners[6] = {0, 1, 2, 0, 2, 3};
  for (int i = 0; i < 6; ++i) indices[i] = static_cast<std::uint16_t>(base + kCorners[i]);
}

QLResultEnum CheckIndexRange16(std::uint32_t base, std::uint32_t vertexCount) {
  constexpr std::uint32_t kReach = std::numeric_limits<std::uint16_t>::max() + 1u;
  return vertexCount <= kReach && base <= kReach - vertexCount ? QL_OK : QL_FAIL;
}

}  // namespace render
