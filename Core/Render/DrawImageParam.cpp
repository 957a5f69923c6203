#include "Core/Render/DrawImageParam.h"

#include <utility>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Vertices.h"

namespace render {

namespace {

float AnchorOffset(std::int32_t anchor, float size) {
  if (anchor == kAnchorRight) return -size;
  if (anchor == kAnchorCenter) return -0.5f * size;
  return 0.0f;
}

}  // namespace

DrawImageParam::DrawImageParam(Graphics* graphics, Image* image)
    : image(image),
      width(image ? static_cast<float>(image->GetWidth()) : 0.0f),
      height(image ? static_cast<float>(image->GetHeight()) : 0.0f) {
  this->graphics.Attach(graphics);
}

QLResultEnum DrawImageParam::Draw(DrawParam* param) {
  if (!image || width == 0.0f || height == 0.0f || image->GetWidth() <= 0 || image->GetHeight() <= 0) return QL_OK;
  Graphics* g = graphics.GetGraphics();
  ShaderTextured* shader = g ? g->GetTexturedShader() : nullptr;
  auto* vertexCache = g ? VertexCacheOf<SVertex2D>(g->GetRender()) : nullptr;
  auto* indexCache = g ? g->GetRender().GetIndexCache16() : nullptr;
  if (!shader || !vertexCache || !indexCache) return QL_FAIL;

  SVertex2D* vertices = nullptr;
  BufferDoubleCache<VertexBuffer<SVertex2D>>::Range vertexRange;
  if (const QLResultEnum result = vertexCache->Allocate(4, &vertices, &vertexRange); result != QL_OK) return result;
  if (const QLResultEnum result = CheckIndexRange16(vertexRange.first, 4); result != QL_OK) return result;
  std::uint16_t* indices = nullptr;
  Render::IndexCache16::Range indexRange;
  if (const QLResultEnum result = indexCache->Allocate(6, &indices, &indexRange); result != QL_OK) return result;

  QuadEdges position;
  position.left = AnchorOffset(anchorX, width);
  position.top = AnchorOffset(anchorY, height);
  position.right = position.left + width;
  position.bottom = position.top + height;
  const auto imageWidth = static_cast<float>(image->GetWidth());
  const auto imageHeight = static_cast<float>(image->GetHeight());
  QuadEdges texCoords{sourceX / imageWidth, sourceY / imageHeight, (sourceX + width) / imageWidth,
                      (sourceY + height) / imageHeight};
  if (flipX) std::swap(texCoords.left, texCoords.right);
  if (flipY) std::swap(texCoords.top, texCoords.bottom);
  FillQuad(position, texCoords, g->GetPackedColor(), g->GetTintSpecular(), vertexRange.first, vertices, indices);

  const VertexFormat& format = SVertex2D::Format();
  if (const QLResultEnum result = image->MapTexCoords(vertices, 4, 0, format); result != QL_OK) return result;
  if (const QLResultEnum result = param->TransformVertices(vertices, format, 4); result != QL_OK) return result;
  if (const QLResultEnum result = graphics.ApplyTransform(vertices, format, 4); result != QL_OK) return result;
  if (const QLResultEnum result = graphics.ApplyHalfPixelOffset(vertices, format, 4); result != QL_OK) return result;

  graphics.SetVertexBuffer(vertexRange.buffer->GetImpl());
  graphics.SetIndexBuffer(indexRange.buffer->GetImpl());
  graphics.SetShader(shader->GetImplementation());
  if (const QLResultEnum result = graphics.ApplyState(); result != QL_OK) return result;
  shader->SetImage(image);
  graphics.SetProjection(*shader);
  return g->GetRender().DrawIndexedPrimitive(kTriangleList, indexRange.first, 2, vertexRange.first, 4);
}

}  // namespace render
