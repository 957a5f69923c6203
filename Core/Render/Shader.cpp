#include "Core/Render/Shader.h"

#include "Core/File/TextFile.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Resource/ResourceManager.h"

namespace render {

Shader::Shader(std::unique_ptr<ShaderImpl> implementation) : implementation_(std::move(implementation)) { Load(); }

QLResultEnum Shader::Release() { return resource::ResourceManager::Instance()->Release(this); }

QLResultEnum Shader::SetRender(Render* render) {
  if (!render) return QL_FAIL;
  render_ = render;
  return QL_OK;
}

QLResultEnum Shader::SetProjection(const math::Matrix4* matrix) {
  if (projection_) projection_->Set(matrix);
  return QL_OK;
}

// The name is used as it stands: a folder path ends with '/', and a name
// without one has the file names appended to its last part.
QLResultEnum Shader::DoLoad() {
  if (implementation_) return QL_OK;
  if (!render_) return QL_FAIL;
  const std::string pixel = file::ReadTextFile(GetName() + u"PS.hlsl");
  const std::string vertex = file::ReadTextFile(GetName() + u"VS.hlsl");
  if (const QLResultEnum result = render_->CreateShader(vertex, pixel, implementation_); result != QL_OK) return result;
  return BindVariables();
}

QLResultEnum Shader::BindVariables() {
  if (!implementation_) return QL_FAIL;
  auto device = implementation_->CreateScalarVariable(kProjectionName, kVertexStage);
  if (!device) return QL_FAIL;
  projection_ = implementation_->AddVariable(
      std::make_unique<ShaderScalarPointer<math::Matrix4>>(implementation_.get(), std::move(device)));
  return projection_ ? QL_OK : QL_FAIL;
}

QLResultEnum Shader::AddPoint4Variable(const std::string& name, ShaderStage stage,
                                      ShaderScalarVariable<math::Point4>** out) {
  if (!implementation_) return QL_FAIL;
  auto device = implementation_->CreateScalarVariable(name, stage);
  if (!device) return QL_FAIL;
  auto* variable = implementation_->AddVariable(
      std::make_unique<ShaderScalarVariable<math::Point4>>(implementation_.get(), std::move(device)));
  if (!variable) return QL_FAIL;
  *out = variable;
  return QL_OK;
}

QLResultEnum Shader::DoUnload() {
  implementation_.reset();
  projection_ = nullptr;
  return QL_OK;
}

QLResultEnum ShaderTextured::BindVariables() {
  if (const QLResultEnum result = Shader::BindVariables(); result != QL_OK) return result;
  auto device = GetImplementation()->CreateTextureVariable(kTextureName);
  if (!device) return QL_FAIL;
  texture_ = GetImplementation()->AddVariable(
      std::make_unique<ShaderTextureVariable<>>(GetImplementation(), std::move(device)));
  return texture_ ? QL_OK : QL_FAIL;
}

QLResultEnum ShaderTextured::SetImage(const Image* image) {
  if (texture_) texture_->Set(image ? image->GetTexture() : nullptr);
  return QL_OK;
}

QLResultEnum ShaderTextured::DoUnload() {
  texture_ = nullptr;
  return Shader::DoUnload();
}

}  // namespace render
