#pragma once

#include <cstdint>

#include "Core/Base/MathPoint4.h"
#include "Core/Render/VertexFormatRegistry.h"

namespace render {

// Colours in vertices are 32-bit ARGB.

// Images and text: a transformed position, the colour, and in the specular
// colour's green and blue the tint weights of the tinting shader.
struct SVertex2D {
  float x, y, z, w;
  std::uint32_t diffuse;
  std::uint32_t specular;
  float u, v;

  static const std::uint32_t formatId;
  static const VertexFormat& Format() { return GetVertexFormat(formatId); }
};

// Lines and filled rectangles.
struct SVertexGeom {
  float x, y, z;
  std::uint32_t diffuse;

  static const std::uint32_t formatId;
  static const VertexFormat& Format() { return GetVertexFormat(formatId); }
};

// Registered for render-target copies; nothing draws with it yet.
struct SVertexRT {
  float x, y, z, w;
  float u, v;

  static const std::uint32_t formatId;
  static const VertexFormat& Format() { return GetVertexFormat(formatId); }
};

// Each channel becomes (int)(c * 255), of which only the low 8 bits count,
// so a channel above 1 wraps instead of saturating.
std::uint32_t PackColor(const math::Point4& colour);

}  // namespace render
