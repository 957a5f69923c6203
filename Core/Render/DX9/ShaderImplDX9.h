#pragma once

#include <memory>
#include <string>

#include "Core/Render/ShaderImpl.h"
#include "Platform/GraphicsProgram.h"
#include "Platform/ShaderConstantTable.h"

namespace render {

class RenderDX9;

// A shader pair compiled from HLSL for the graphics device, with the constant
// tables its variables are set through.
class ShaderImplDX9 : public ShaderImpl {
 public:
  explicit ShaderImplDX9(RenderDX9* render);

  // Logs the compiler's messages when either stage does not build.
  QLResultEnum Compile(const std::string& vertexSource, const std::string& pixelSource);

  std::unique_ptr<ShaderScalarVariableImpl> CreateScalarVariable(const std::string& name, ShaderStage stage) override;
  std::unique_ptr<ShaderTextureVariableImpl> CreateTextureVariable(const std::string& name) override;

  const std::shared_ptr<platform::GraphicsProgram>& GetProgram() const { return program_; }

 private:
  RenderDX9* renderDX9_;
  std::shared_ptr<platform::GraphicsProgram> program_;
  platform::ShaderConstantTable vertexConstants_;
  platform::ShaderConstantTable pixelConstants_;
  std::string vertexSource_;
  std::string pixelSource_;
};

}  // namespace render
