#pragma once

#include <memory>

#include "Core/Base/MathMatrix4.h"
#include "Core/Render/Image.h"
#include "Core/Render/RenderState.h"

namespace render {

// An image whose texture is drawn into. It carries its own projection and the
// mapping of design units onto its pixels, which a drawing context copies
// into its state when it draws here.
class RenderTarget : public Image {
 public:
  // With ortho the projection maps the target's pixels like the screen's;
  // otherwise it is the identity until the owner sets one.
  RenderTarget(std::unique_ptr<TextureDX9> texture, bool ortho);

  const math::Matrix4& GetProjection() const { return projection_; }
  void SetProjection(const math::Matrix4& projection) { projection_ = projection; }
  void SetMapping(float scaleX, float scaleY, float offsetX, float offsetY);

  // The target as a drawing state names it.
  RenderState::Target GetTargetRecord() const;

 private:
  math::Matrix4 projection_;
  float offsetX_ = 0.0f;
  float offsetY_ = 0.0f;
  float scaleX_ = 1.0f;
  float scaleY_ = 1.0f;
};

}  // namespace render
