#include "Platform/GraphicsRenderStates.h"

#include <epoxy/gl.h>

#include <algorithm>

namespace platform {
namespace {

GLenum Factor(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::kZero: return GL_ZERO;
    case BlendFactor::kOne: return GL_ONE;
    case BlendFactor::kSourceAlpha: return GL_SRC_ALPHA;
    case BlendFactor::kInverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
  }
  return GL_ONE;
}

}  // namespace

void GraphicsRenderStates::Reset(const PixelRect& target) {
  *this = GraphicsRenderStates();
  scissorRect_ = target;
  // Targets hold the top row first, so GL sees the renderer's y-down
  // coordinates unmirrored and its counter-clockwise is Direct3D's clockwise,
  // the front face.
  glFrontFace(GL_CCW);
  // Direct3D 9's default depth test, with the back buffer's depth storage.
  glDepthFunc(GL_LEQUAL);
  ApplyBlend();
  ApplyCull();
  ApplyScissor();
  ApplyDepth();
}

void GraphicsRenderStates::SetAlphaBlendEnable(bool enable) {
  blendEnabled_ = enable;
  ApplyBlend();
}

void GraphicsRenderStates::SetBlendFactors(BlendFactor source, BlendFactor destination) {
  source_ = source;
  destination_ = destination;
  ApplyBlend();
}

void GraphicsRenderStates::SetSeparateAlphaBlendEnable(bool enable) {
  separateAlpha_ = enable;
  ApplyBlend();
}

void GraphicsRenderStates::SetAlphaBlendFactors(BlendFactor source, BlendFactor destination) {
  alphaSource_ = source;
  alphaDestination_ = destination;
  ApplyBlend();
}

void GraphicsRenderStates::SetCullMode(CullMode mode) {
  cull_ = mode;
  ApplyCull();
}

void GraphicsRenderStates::SetScissorEnable(bool enable) {
  scissorEnabled_ = enable;
  ApplyScissor();
}

void GraphicsRenderStates::SetScissorRect(const PixelRect& rect) {
  scissorRect_ = rect;
  ApplyScissor();
}

void GraphicsRenderStates::SetDepthEnable(bool enable) {
  depthEnabled_ = enable;
  ApplyDepth();
}

void GraphicsRenderStates::SetDepthWrite(bool enable) {
  depthWrite_ = enable;
  ApplyDepth();
}

void GraphicsRenderStates::ApplyScissor() const {
  scissorEnabled_ ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST);
  glScissor(scissorRect_.left, scissorRect_.top, std::max(0, scissorRect_.right - scissorRect_.left),
            std::max(0, scissorRect_.bottom - scissorRect_.top));
}

void GraphicsRenderStates::ApplyDepth() const {
  depthEnabled_ ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
  glDepthMask(depthWrite_ ? GL_TRUE : GL_FALSE);
}

void GraphicsRenderStates::ApplyBlend() const {
  blendEnabled_ ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
  const BlendFactor alphaSource = separateAlpha_ ? alphaSource_ : source_;
  const BlendFactor alphaDestination = separateAlpha_ ? alphaDestination_ : destination_;
  glBlendFuncSeparate(Factor(source_), Factor(destination_), Factor(alphaSource), Factor(alphaDestination));
}

void GraphicsRenderStates::ApplyCull() const {
  if (cull_ == CullMode::kNone) {
    glDisable(GL_CULL_FACE);
    return;
  }
  glEnable(GL_CULL_FACE);
  glCullFace(cull_ == CullMode::kCounterClockwise ? GL_BACK : GL_FRONT);
}

}  // namespace platform
