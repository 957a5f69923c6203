#pragma once

#include <memory>
#include <string>

#include "Core/Render/ShaderImpl.h"
#include "Core/Resource/Resource.h"

namespace render {

class Image;

// A shader pair as a resource, with the projection matrix every shader of the
// engine takes.
class Shader : public resource::Resource {
 public:
  static constexpr const char* kProjectionName = "Proj";

  // A built-in pair: the implementation is made by the Render before the
  // shader, so the shader is loaded from the start.
  explicit Shader(std::unique_ptr<ShaderImpl> implementation);
  // A shader read from a folder of "VS.hlsl" and "PS.hlsl": the resource's
  // name is the folder, and SetRender must come before Load.
  Shader() = default;

  QLResultEnum SetRender(Render* render);
  // Marks the variable only when the pointer changes; the matrix must live
  // until the frame is replayed.
  QLResultEnum SetProjection(const math::Matrix4* matrix);

  QLResultEnum Release() override;
  // Creates the variables; a derived shader adds its own before calling its
  // base, which fixes their indices in the command stream.
  virtual QLResultEnum BindVariables();
  // Binds the shader's four-float constant of that name in the stage and
  // gives it in out; 1, adding nothing, when the shader has no such constant.
  QLResultEnum AddPoint4Variable(const std::string& name, ShaderStage stage,
                                 ShaderScalarVariable<math::Point4>** out);

  ShaderImpl* GetImplementation() const { return implementation_.get(); }
  ShaderScalarPointer<math::Matrix4>* GetProjectionVariable() const { return projection_; }

 protected:
  // A built-in shader is made loaded; one from a folder compiles its texts.
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  Render* render_ = nullptr;
  std::unique_ptr<ShaderImpl> implementation_;
  ShaderScalarPointer<math::Matrix4>* projection_ = nullptr;
};

// A shader that samples one texture.
class ShaderTextured : public Shader {
 public:
  static constexpr const char* kTextureName = "TextureSampler";

  using Shader::Shader;

  QLResultEnum BindVariables() override;
  // Marks the variable only when the image's texture differs from the last.
  QLResultEnum SetImage(const Image* image);

  ShaderTextureVariable<>* GetTextureVariable() const { return texture_; }

 protected:
  QLResultEnum DoUnload() override;

 private:
  ShaderTextureVariable<>* texture_ = nullptr;
};

}  // namespace render
