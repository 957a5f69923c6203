#include "Core/Render/DrawCustomParam.h"

#include "Core/Render/Graphics.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/VertexFormatRegistry.h"

namespace render {

namespace {

std::uint32_t PrimitivesOf(std::uint32_t type, std::uint32_t count) {
  switch (type) {
    case kLineList: return count / 2;
    case kLineStrip: return count > 0 ? count - 1 : 0;
    case kTriangleList: return count / 3;
    case kTriangleStrip:
    case kTriangleFan: return count > 1 ? count - 2 : 0;
    default: return count;
  }
}

}  // namespace

QLResultEnum DrawCustomParam::Draw(DrawParam* param) {
  Graphics* g = graphics.GetGraphics();
  if (!vertices || vertexCount == 0 || !vertexBuffer) return QL_OK;
  if (!g || !shader || vertexFormatId >= GetVertexFormatCount()) return QL_FAIL;
  const VertexFormat& format = GetVertexFormat(vertexFormatId);
  if (const QLResultEnum result = param->TransformVertices(vertices, format, vertexCount); result != QL_OK) {
    return result;
  }
  if (const QLResultEnum result = graphics.ApplyTransform(vertices, format, vertexCount); result != QL_OK) {
    return result;
  }
  if (const QLResultEnum result = graphics.ApplyHalfPixelOffset(vertices, format, vertexCount); result != QL_OK) {
    return result;
  }
  graphics.SetShader(shader->GetImplementation());
  graphics.SetProjection(*shader);
  if (primitiveCount == 0) primitiveCount = PrimitivesOf(primitiveType, indexBuffer ? indexCount : vertexCount);
  graphics.SetVertexBuffer(vertexBuffer);
  if (indexBuffer) {
    graphics.SetIndexBuffer(indexBuffer);
    if (const QLResultEnum result = graphics.ApplyState(); result != QL_OK) return result;
    return g->GetRender().DrawIndexedPrimitive(primitiveType, startIndex, primitiveCount, startVertex, vertexCount);
  }
  if (const QLResultEnum result = graphics.ApplyState(); result != QL_OK) return result;
  return g->GetRender().DrawPrimitive(primitiveType, startVertex, primitiveCount);
}

}  // namespace render
