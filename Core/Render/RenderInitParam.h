#pragma once

#include <cstdint>

#include "Core/Base/MathMatrix4.h"

namespace render {

// What the renderer is started (or switched to another screen mode) with.
struct RenderInitParam {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool windowed = true;
  // Set: the projection is an orthographic one over width x height and the
  // projection field is ignored.
  bool ortho = true;
  math::Matrix4 projection;
  // Design coordinates to back-buffer pixels, for every screen drawing:
  // pixel = design * scale + offset.
  float screenScaleX = 1.0f;
  float screenScaleY = 1.0f;
  float screenOffsetX = 0.0f;
  float screenOffsetY = 0.0f;
};

}  // namespace render
