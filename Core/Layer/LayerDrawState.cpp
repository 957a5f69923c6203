#include "Core/Layer/LayerDrawState.h"

#include "Core/Layer/Drawable.h"
#include "Core/Render/Graphics.h"

namespace layer {

LayerDrawState::LayerDrawState(render::Graphics& graphics, Drawable& drawable, float alpha, std::uint32_t blendMode)
    : graphics_(graphics),
      transform_(graphics.GetTransform()),
      colour_(graphics.GetColor()),
      shaderMode_(graphics.GetTexturedShaderMode()),
      shader_(graphics.GetTexturedShader()),
      tint_(graphics.GetTint()),
      font_(graphics.GetFont()),
      blendMode_(graphics.GetState().blendMode) {
  graphics.SetTransform(&drawable.GetWorldTransform());
  const math::Point4& colour = drawable.GetColor();
  graphics.SelectTexturedShader(drawable.IsTinted() ? render::kTexturedShaderTint : render::kTexturedShaderMult);
  graphics.SetColorRGBA(colour.r, colour.g, colour.b, alpha);
  if (drawable.IsTinted()) graphics.SetTint(drawable.GetTintAmount());
  graphics.SetBlendMode(blendMode);
}

LayerDrawState::~LayerDrawState() {
  graphics_.SelectTexturedShader(shaderMode_);
  if (shaderMode_ == render::kTexturedShaderGiven) graphics_.SetTexturedShader(shader_);
  graphics_.SetTint(tint_);
  graphics_.SetColor(colour_);
  graphics_.SetTransform(transform_);
  graphics_.SetFont(font_);
  if (graphics_.GetState().blendMode != blendMode_) graphics_.SetBlendMode(blendMode_);
}

}  // namespace layer
