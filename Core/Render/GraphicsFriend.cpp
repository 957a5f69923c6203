#include "Core/Render/GraphicsFriend.h"

#include "Core/Render/Graphics.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"

namespace render {

void GraphicsFriend::Attach(Graphics* graphics) {
  graphics_ = graphics;
  render_ = graphics ? &graphics->render_ : nullptr;
  state_ = graphics ? &graphics->state_ : nullptr;
}

void GraphicsFriend::SetShader(ShaderImpl* shader) {
  if (!graphics_) return;
  state_->shader = shader;
  graphics_->dirty_ = true;
}

void GraphicsFriend::SetVertexBuffer(VertexBufferImpl* buffer) {
  if (!graphics_) return;
  state_->vertexBuffer = buffer;
  graphics_->dirty_ = true;
}

void GraphicsFriend::SetIndexBuffer(IndexBufferImpl* buffer) {
  if (!graphics_) return;
  state_->indexBuffer = buffer;
  graphics_->dirty_ = true;
}

QLResultEnum GraphicsFriend::ApplyState() const {
  if (!graphics_) return QL_FAIL;
  if (const QLResultEnum result = render_->SetState(state_, graphics_->dirty_); result != QL_OK) return result;
  graphics_->dirty_ = false;
  return QL_OK;
}

QLResultEnum GraphicsFriend::ApplyTransform(void* vertices, const VertexFormat& format, std::uint32_t count) const {
  return graphics_ ? graphics_->ApplyTransform(vertices, format, count) : QL_OK;
}

QLResultEnum GraphicsFriend::ApplyHalfPixelOffset(void* vertices, const VertexFormat& format,
                                                  std::uint32_t count) const {
  return Graphics::ApplyHalfPixelOffset(vertices, format, count);
}

QLResultEnum GraphicsFriend::SetProjection(Shader& shader) const {
  if (!graphics_) return QL_FAIL;
  return shader.SetProjection(&graphics_->GetProjection());
}

}  // namespace render
