#include "Core/Render/DrawTextParam.h"

#include <cmath>
#include <limits>

#include "Core/Render/DrawParamPositions.h"
#include "Core/Render/Font.h"
#include "Core/Render/Vertices.h"

namespace render {

DrawTextParam::DrawTextParam(Graphics* graphics, const base::WString* text, Font* font, const TextFormat& format)
    : text(text), font(font), format(format) {
  this->graphics.Attach(graphics);
}

DrawTextParam& DrawTextParam::Assign(const DrawTextParam& other) {
  graphics = other.graphics;
  text = other.text;
  font = other.font;
  format = other.format;
  anchorX = other.anchorX;
  anchorY = other.anchorY;
  measuredSize[0] = measuredSize[1] = 0.0f;
  currentParam = nullptr;
  outWidth = other.outWidth;
  outHeight = other.outHeight;
  outBounds = other.outBounds;
  return *this;
}

QLResultEnum DrawTextParam::Draw(DrawParam* param) {
  if (!text || !font) return QL_FAIL;
  currentParam = param;
  if (const QLResultEnum result = font->DrawText(graphics.GetGraphics(), this, *text, format, measuredSize);
      result != QL_OK) {
    return result;
  }
  if (outWidth) *outWidth = measuredSize[0];
  if (outHeight) *outHeight = measuredSize[1];
  return outBounds ? StoreBounds() : QL_OK;
}

QLResultEnum DrawTextParam::StoreBounds() {
  SVertex2D corners[4] = {};
  const float x[4] = {0.0f, measuredSize[0], measuredSize[0], 0.0f};
  const float y[4] = {0.0f, 0.0f, measuredSize[1], measuredSize[1]};
  for (int i = 0; i < 4; ++i) {
    corners[i].x = x[i];
    corners[i].y = y[i];
    corners[i].w = 1.0f;
  }
  if (const QLResultEnum result = PositionVertices(corners, SVertex2D::Format(), 4); result != QL_OK) return result;
  constexpr float kFar = std::numeric_limits<float>::max();
  *outBounds = {{kFar, kFar, kFar}, {-kFar, -kFar, -kFar}};
  for (const SVertex2D& corner : corners) outBounds->Extend(math::Point3{corner.x, corner.y, corner.z});
  return QL_OK;
}

QLResultEnum DrawTextParam::PositionVertices(void* vertices, const VertexFormat& vertexFormat, std::uint32_t count) {
  float dx = 0.0f;
  if (anchorX == kAnchorRight) dx = -measuredSize[0];
  if (anchorX == kAnchorCenter) dx = std::floor(-0.5f * measuredSize[0]);
  float dy = 0.0f;
  if (anchorY == kAnchorBottom) dy = -measuredSize[1];
  if (anchorY == kAnchorMiddle) dy = -std::floor(0.5f * measuredSize[1]);
  if (anchorY == kAnchorBaseline && font) dy = -font->GetBase();
  if (dx != 0.0f || dy != 0.0f) {
    ForEachPosition(vertices, vertexFormat, count, [dx, dy](float* position, std::uint32_t components) {
      position[0] += dx;
      if (components > 1) position[1] += dy;
    });
  }
  if (currentParam) {
    if (const QLResultEnum result = currentParam->TransformVertices(vertices, vertexFormat, count); result != QL_OK) {
      return result;
    }
  }
  return graphics.ApplyTransform(vertices, vertexFormat, count);
}

}  // namespace render
