#pragma once

#include "Core/Render/Shader.h"

// The enemies' shader: the texture times the vertex colour, tinted by
// "color2", the unit's fill colour (white draws the enemy unchanged).
class TMobShader : public render::ShaderTextured {
 public:
  static constexpr const char* kColor2Name = "color2";
  static constexpr const char16_t* kFolder = u"kp/Shaders/MobShader/DX/";

  QLResultEnum BindVariables() override;

  // Null until the shader is loaded.
  render::ShaderScalarVariable<math::Point4>* GetColor2() const { return color2_; }

 protected:
  QLResultEnum DoUnload() override;

 private:
  render::ShaderScalarVariable<math::Point4>* color2_ = nullptr;
};
