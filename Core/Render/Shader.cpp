#include "Core/Render/Shader.h"

#include "Core/Resource/ResourceManager.h"

namespace render {

Shader::Shader(std::unique_ptr<ShaderImpl> implementation) : implementation_(std::move(implementation)) { Load(); }

QLResultEnum Shader::Release() { return resource::ResourceManager::Instance()->Release(this); }

QLResultEnum Shader::BindVariables() {
  if (!implementation_) return QL_FAIL;
  auto device = implementation_->CreateScalarVariable(kProjectionName, kVertexStage);
  if (!device) return QL_FAIL;
  projection_ = implementation_->AddVariable(
      std::make_unique<ShaderScalarPointer<math::Matrix4>>(implementation_.get(), std::move(device)));
  return projection_ ? QL_OK : QL_FAIL;
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

QLResultEnum ShaderTextured::DoUnload() {
  texture_ = nullptr;
  return Shader::DoUnload();
}

}  // namespace render
