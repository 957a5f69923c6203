#include "Core/Render/DrawTransform2DParam.h"

#include <cmath>

#include "Core/Render/DrawParamPositions.h"

namespace render {

namespace {

// Offsets this small are round-off of earlier arithmetic, not a move.
constexpr float kOffsetThreshold = 2e-4f;

bool IsOffset(const math::Transform2D::Vector2& offset) {
  return std::fabs(offset.x) > kOffsetThreshold || std::fabs(offset.y) > kOffsetThreshold;
}

}  // namespace

QLResultEnum TransformPositions2D(math::Transform2D& transform, void* vertices, const VertexFormat& format,
                                  std::uint32_t count) {
  if (format.position.components < 2) return QL_OK;
  if (transform.IsMatrixMode() || transform.HasRotation()) {
    const math::Matrix3& m = transform.GetMatrix();
    ForEachPosition(vertices, format, count, [&m](float* position, std::uint32_t) {
      const float x = position[0];
      const float y = position[1];
      position[0] = m.m00 * x + m.m01 * y + m.m02;
      position[1] = m.m10 * x + m.m11 * y + m.m12;
    });
    return QL_OK;
  }
  const bool translate = IsOffset(transform.GetTranslation());
  const bool scale = transform.HasScale();
  const bool postTranslate = IsOffset(transform.GetPostTranslation());
  ForEachPosition(vertices, format, count, [&](float* position, std::uint32_t) {
    if (translate) {
      position[0] += transform.GetTranslation().x;
      position[1] += transform.GetTranslation().y;
    }
    if (scale) {
      position[0] *= transform.GetScale().x;
      position[1] *= transform.GetScale().y;
    }
    if (postTranslate) {
      position[0] += transform.GetPostTranslation().x;
      position[1] += transform.GetPostTranslation().y;
    }
  });
  return QL_OK;
}

}  // namespace render
