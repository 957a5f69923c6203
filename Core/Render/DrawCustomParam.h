#pragma once

#include <cstdint>

#include "Core/Render/DrawParam.h"
#include "Core/Render/GraphicsFriend.h"
#include "Core/Render/PrimitiveType.h"

namespace render {

class Graphics;
class IndexBufferImpl;
class Shader;
class VertexBufferImpl;

// Vertices the caller wrote into a locked vertex buffer, drawn with a shader
// of its choice; lines and filled rectangles are drawn this way.
class DrawCustomParam {
 public:
  DrawCustomParam(Graphics* graphics, std::uint32_t vertexFormatId) : vertexFormatId(vertexFormatId) {
    this->graphics.Attach(graphics);
  }

  QLResultEnum Draw(DrawParam* param);

  GraphicsFriend graphics;
  std::uint32_t primitiveType = kPointList;
  void* vertices = nullptr;
  // The registered format, by id rather than by copy, so that a draw
  // allocates nothing.
  std::uint32_t vertexFormatId;
  std::uint32_t startVertex = 0;
  std::uint32_t vertexCount = 0;
  VertexBufferImpl* vertexBuffer = nullptr;
  std::uint32_t startIndex = 0;
  std::uint32_t indexCount = 0;
  IndexBufferImpl* indexBuffer = nullptr;  // null: not indexed
  Shader* shader = nullptr;
  std::uint32_t primitiveCount = 0;  // 0: worked out from the counts at the draw
};

}  // namespace render
