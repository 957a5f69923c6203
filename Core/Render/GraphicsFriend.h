#pragma once

#include <cstdint>

#include "Core/Base/Result.h"

namespace render {

class Graphics;
class IndexBufferImpl;
class Render;
struct RenderState;
class Shader;
class ShaderImpl;
class VertexBufferImpl;
class VertexFormat;

// What a draw payload, a font or an emitter reaches of the drawing context it
// draws with. Without a Graphics (everything null) its holder only measures.
class GraphicsFriend {
 public:
  // Null detaches.
  void Attach(Graphics* graphics);

  Graphics* GetGraphics() const { return graphics_; }
  Render* GetRender() const { return render_; }
  RenderState* GetState() const { return state_; }

  // Each marks the Graphics' state dirty.
  void SetShader(ShaderImpl* shader);
  void SetVertexBuffer(VertexBufferImpl* buffer);
  void SetIndexBuffer(IndexBufferImpl* buffer);

  // Hands the state over when it changed since it was last handed over.
  QLResultEnum ApplyState() const;
  // The Graphics' own transform, when it has one, over the positions.
  QLResultEnum ApplyTransform(void* vertices, const VertexFormat& format, std::uint32_t count) const;
  QLResultEnum ApplyHalfPixelOffset(void* vertices, const VertexFormat& format, std::uint32_t count) const;
  QLResultEnum SetProjection(Shader& shader) const;

 private:
  Graphics* graphics_ = nullptr;
  Render* render_ = nullptr;
  RenderState* state_ = nullptr;
};

}  // namespace render
