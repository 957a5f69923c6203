#pragma once

#include <cstdint>

#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathPoint4.h"
#include "Core/Base/MathRect.h"
#include "Core/Base/MathTransform.h"
#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Core/Render/DrawCustomParam.h"
#include "Core/Render/DrawImageParam.h"
#include "Core/Render/DrawParticlesParam.h"
#include "Core/Render/DrawTextParam.h"
#include "Core/Render/DrawUntransformedParam.h"
#include "Core/Render/RenderState.h"

namespace render {

class Font;
class Image;
class ParticleEmitter;
class Render;
class RenderTarget;
class Shader;
class ShaderTextured;

enum TexturedShaderMode : std::int32_t { kTexturedShaderGiven = 0, kTexturedShaderMult = 1, kTexturedShaderTint = 2 };

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};

// The 2D drawing context for one drawing pass, to the screen or into a
// render target. Every draw returns a pending parameter that draws when the
// statement ends (or its variable goes), so the caller can still anchor,
// flip, offset or transform it. Colour and tint travel in the vertices; the
// state reaches the Render only when it changed.
class Graphics : base::NoCopy {
 public:
  explicit Graphics(Render& render);
  // Opens a scene when none is open, and then closes and replays it when
  // destroyed, so that a target drawn outside the frame is ready at once.
  explicit Graphics(RenderTarget& target);
  ~Graphics();

  // Replays what was recorded so far when this Graphics opened the scene.
  QLResultEnum Flush();
  QLResultEnum Clear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil);
  const math::Matrix4& GetProjection() const;

  QLResultEnum SetBlendMode(std::uint32_t mode);
  void SetScissorRect(const math::Rect& rect);
  void DisableScissor();

  void SetColor(const float rgba[4]) { colour_ = {rgba[0], rgba[1], rgba[2], rgba[3]}; }
  void SetColorRGBA(float r, float g, float b, float a) { colour_ = {r, g, b, a}; }
  const math::Point4& GetColor() const { return colour_; }
  void SetColor(const math::Point4& colour) { colour_ = colour; }
  float GetTint() const { return tint_; }
  void SetTint(float tint) { tint_ = tint; }
  Font* GetFont() const { return font_; }
  void SetFont(Font* font) { font_ = font; }
  // Applied to every vertex after the draw's own transform; null for none.
  math::Transform* GetTransform() const { return transform_; }
  void SetTransform(math::Transform* transform) { transform_ = transform; }

  // The colour as vertices carry it; each channel is clamped to [0, 1].
  std::uint32_t GetPackedColor() const;
  // The tint weights for the tinting shader: the tint in green, its
  // complement in blue.
  std::uint32_t GetTintSpecular() const;

  // 1 the built-in multiplying shader, 2 the built-in tinting one; anything
  // else, the mode already set included, changes nothing.
  QLResultEnum SelectTexturedShader(std::int32_t mode);
  // Null selects the built-in multiplying shader.
  QLResultEnum SetTexturedShader(ShaderTextured* shader);
  ShaderTextured* GetTexturedShader() const { return texturedShader_; }
  std::int32_t GetTexturedShaderMode() const { return texturedShaderMode_; }
  Shader* GetGeomShader() const { return geomShader_; }

  Render& GetRender() const { return render_; }
  RenderTarget* GetTarget() const { return target_; }
  const RenderState& GetState() const { return state_; }
  bool IsDirty() const { return dirty_; }
  bool OwnsScene() const { return ownsScene_; }

  // Moves every position by half a pixel up and left, onto the device's
  // pixel centres, and flattens it to z 0.
  static QLResultEnum ApplyHalfPixelOffset(void* vertices, const VertexFormat& format, std::uint32_t count);
  QLResultEnum ApplyTransform(void* vertices, const VertexFormat& format, std::uint32_t count) const;

  DrawUntransformedParam<DrawImageParam> DrawImage(Image* image);
  DrawUntransformedParam<DrawImageParam> DrawImageRegion(Image* image, const math::Rect& source);
  DrawTransform2DParam<DrawImageParam> DrawImageRegionTo(Image* image, const math::Rect& source,
                                                         const math::Rect& destination);
  DrawTransform2DParam<DrawImageParam> DrawImageTo(Image* image, const math::Rect& destination);
  DrawUntransformedParam<DrawCustomParam> DrawLine(const Point& a, const Point& b);
  DrawUntransformedParam<DrawCustomParam> FillRect(const math::Rect& rect);
  DrawUntransformedParam<DrawTextParam> DrawText(const base::WString& text);
  DrawUntransformedParam<DrawTextParam> DrawTextBox(const base::WString& text, float boxWidth, float firstLineIndent,
                                                    std::uint32_t alignment, bool justifySingleWords);
  DrawUntransformedParam<DrawParticlesParam> DrawParticles(ParticleEmitter* emitter);

 private:
  friend class GraphicsFriend;

  Graphics(Render& render, RenderTarget* target);
  // The built-in shaders; a failure leaves them null and every draw refused.
  void FetchShaders();

  Render& render_;
  RenderTarget* target_ = nullptr;
  Shader* geomShader_ = nullptr;
  ShaderTextured* texturedShader_ = nullptr;
  RenderState state_;
  bool dirty_ = true;
  Font* font_ = nullptr;
  std::int32_t texturedShaderMode_ = kTexturedShaderMult;
  math::Point4 colour_{1.0f, 1.0f, 1.0f, 1.0f};
  float tint_ = 0.0f;
  math::Transform* transform_ = nullptr;
  bool ownsScene_ = false;
};

}  // namespace render
