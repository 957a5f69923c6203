#include "Core/Render/RenderTarget.h"

#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Render.h"

namespace render {

RenderTarget::RenderTarget(std::unique_ptr<TextureDX9> texture, bool ortho) : Image(std::move(texture)) {
  Render* render = GetTexture() ? GetTexture()->GetRender() : nullptr;
  if (ortho && render) {
    render->MakeOrthoProjection(static_cast<float>(GetWidth()), static_cast<float>(GetHeight()), &projection_);
  }
}

void RenderTarget::SetMapping(float scaleX, float scaleY, float offsetX, float offsetY) {
  scaleX_ = scaleX;
  scaleY_ = scaleY;
  offsetX_ = offsetX;
  offsetY_ = offsetY;
}

RenderState::Target RenderTarget::GetTargetRecord() const {
  return {GetTexture(), scaleX_, scaleY_, offsetX_, offsetY_};
}

}  // namespace render
