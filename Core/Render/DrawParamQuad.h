#pragma once

#include <cstdint>

#include "Core/Base/Result.h"
#include "Core/Render/Vertices.h"

namespace render {

struct QuadEdges {
  float left = 0.0f;
  float top = 0.0f;
  float right = 0.0f;
  float bottom = 0.0f;
};

// One textured quad, clockwise from the top left, and its two triangles.
// base is the first vertex's index in its vertex buffer, so that quads of
// consecutive draws continue each other's indices.
void FillQuad(const QuadEdges& position, const QuadEdges& texCoords, std::uint32_t diffuse, std::uint32_t specular,
              std::uint32_t base, SVertex2D* vertices, std::uint16_t* indices);

// The two triangles of the quad of four vertices from base on.
void WriteQuadIndices(std::uint32_t base, std::uint16_t* indices);

// 1 when vertices from base on cannot be reached by 16-bit indices.
QLResultEnum CheckIndexRange16(std::uint32_t base, std::uint32_t vertexCount);

}  // namespace render
