#pragma once

#include <cstdint>

#include "Core/Base/MathPoint4.h"
#include "Core/Base/MathTransform.h"
#include "Core/Base/NoCopy.h"

namespace render {
class Font;
class Graphics;
class ShaderTextured;
}  // namespace render

namespace layer {

class Drawable;

// The Graphics state a content layer draws with: its world transform, colour,
// tint and blend mode. Everything it changes, the font and the blend mode
// included, goes back when the scope ends, so one layer's look never leaks
// into the draws after it.
class LayerDrawState : base::NoCopy {
 public:
  LayerDrawState(render::Graphics& graphics, Drawable& drawable, float alpha, std::uint32_t blendMode);
  ~LayerDrawState();

 private:
  render::Graphics& graphics_;
  math::Transform* transform_;
  math::Point4 colour_;
  std::int32_t shaderMode_;
  render::ShaderTextured* shader_;
  float tint_;
  render::Font* font_;
  std::uint32_t blendMode_;
};

}  // namespace layer
