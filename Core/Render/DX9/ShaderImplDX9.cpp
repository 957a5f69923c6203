#include "Core/Render/DX9/ShaderImplDX9.h"

#include <optional>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Platform/ShaderCompiler.h"

namespace render {

namespace {

QLResultEnum ResultOf(platform::DeviceResult result) { return result == platform::DeviceResult::kOk ? QL_OK : QL_FAIL; }

void LogCompilerMessages(const std::string& messages) {
  QL_LOG_BLOCK(u"%s\n").AddArg(base::ToWide(messages, base::kEncodingUtf8));
}

class ScalarVariable : public ShaderScalarVariableImpl {
 public:
  ScalarVariable(RenderDX9& render, platform::ShaderConstantTable& table, platform::ShaderConstantHandle handle)
      : render_(render), table_(table), handle_(handle) {}

  QLResultEnum SetMatrix(const math::Matrix4* matrix) override {
    if (!matrix || !render_.GetDevice()) return QL_FAIL;
    return ResultOf(table_.SetMatrix(*render_.GetDevice(), handle_, matrix->m.data()));
  }
  QLResultEnum SetVector(const float value[4]) override {
    if (!render_.GetDevice()) return QL_FAIL;
    return ResultOf(table_.SetVector(*render_.GetDevice(), handle_, value));
  }
  QLResultEnum SetFloat(float value) override {
    if (!render_.GetDevice()) return QL_FAIL;
    return ResultOf(table_.SetFloat(*render_.GetDevice(), handle_, value));
  }

 private:
  RenderDX9& render_;
  platform::ShaderConstantTable& table_;
  platform::ShaderConstantHandle handle_;
};

class TextureVariable : public ShaderTextureVariableImpl {
 public:
  TextureVariable(RenderDX9& render, platform::ShaderConstantTable& table, platform::ShaderConstantHandle handle)
      : render_(render), table_(table), handle_(handle) {}

  QLResultEnum SetTexture(Texture* texture) override {
    if (!render_.GetDevice()) return QL_FAIL;
    auto* deviceTexture = static_cast<TextureDX9*>(texture);
    return ResultOf(
        table_.SetTexture(*render_.GetDevice(), handle_, deviceTexture ? deviceTexture->GetDeviceTexture() : nullptr));
  }

 private:
  RenderDX9& render_;
  platform::ShaderConstantTable& table_;
  platform::ShaderConstantHandle handle_;
};

}  // namespace

ShaderImplDX9::ShaderImplDX9(RenderDX9* render) : ShaderImpl(render), renderDX9_(render) {}

QLResultEnum ShaderImplDX9::Compile(const std::string& vertexSource, const std::string& pixelSource) {
  if (!renderDX9_ || !renderDX9_->GetDevice()) return QL_FAIL;
  vertexSource_ = vertexSource;
  pixelSource_ = pixelSource;

  std::string errors;
  auto vertex = platform::CompileShader(vertexSource_, "vertex_shader", "vs_1_1", &errors, "VS.hlsl");
  auto pixel = vertex ? platform::CompileShader(pixelSource_, "pixel_shader", "ps_2_0", &errors, "PS.hlsl")
                      : std::nullopt;
  if (!vertex || !pixel) {
    LogCompilerMessages(errors);
    return QL_FAIL;
  }
  program_ = renderDX9_->GetDevice()->CreateProgram(vertex->glsl, pixel->glsl, &errors);
  if (!program_) {
    LogCompilerMessages(errors);
    return QL_FAIL;
  }
  // A warning of a shader that builds is worth a look, not a failure.
  for (const std::string* warnings : {&vertex->warnings, &pixel->warnings}) {
    if (!warnings->empty()) LogCompilerMessages(*warnings);
  }
  vertexConstants_ = std::move(vertex->constants);
  pixelConstants_ = std::move(pixel->constants);
  return QL_OK;
}

std::unique_ptr<ShaderScalarVariableImpl> ShaderImplDX9::CreateScalarVariable(const std::string& name,
                                                                             ShaderStage stage) {
  // A constant the shader does not declare fails the binding, and so the
  // load, instead of every replay that would set it.
  platform::ShaderConstantTable& table = stage == kPixelStage ? pixelConstants_ : vertexConstants_;
  const auto handle = table.Find(name);
  if (!handle) return nullptr;
  return std::make_unique<ScalarVariable>(*renderDX9_, table, *handle);
}

std::unique_ptr<ShaderTextureVariableImpl> ShaderImplDX9::CreateTextureVariable(const std::string& name) {
  const auto handle = pixelConstants_.Find(name);
  if (!handle) return nullptr;
  return std::make_unique<TextureVariable>(*renderDX9_, pixelConstants_, *handle);
}

}  // namespace render
