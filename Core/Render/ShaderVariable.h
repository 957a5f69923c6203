#pragma once

#include <memory>

#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathPoint4.h"
#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Base/Stream.h"
#include "Core/Render/CommandBuffer.h"

namespace render {

class ShaderImpl;
class Texture;

// The device side of a shader constant, made by the back end's ShaderImpl.
class ShaderScalarVariableImpl {
 public:
  virtual ~ShaderScalarVariableImpl() = default;
  virtual QLResultEnum SetMatrix(const math::Matrix4* matrix) = 0;
  virtual QLResultEnum SetVector(const float value[4]) = 0;
  virtual QLResultEnum SetFloat(float value) = 0;
  // The short vectors fill the rest as a position would: z 0, w 1.
  QLResultEnum SetVector3(float x, float y, float z) {
    const float value[4] = {x, y, z, 1.0f};
    return SetVector(value);
  }
  QLResultEnum SetVector2(float x, float y) { return SetVector3(x, y, 0.0f); }
};

class ShaderTextureVariableImpl {
 public:
  virtual ~ShaderTextureVariableImpl() = default;
  virtual QLResultEnum SetTexture(Texture* texture) = 0;
};

// A shader constant as drawing code sees it. Setting one touches no device:
// it marks the variable and its shader changed, the Render records the value
// before the next draw and the replay sets it on the device.
class ShaderVariable : base::NoCopy {
 public:
  explicit ShaderVariable(ShaderImpl* impl) : impl_(impl) {}
  virtual ~ShaderVariable() = default;

  // The value as the command stream carries it.
  virtual QLResultEnum Write(base::Stream& stream) const = 0;
  // Reads what Write wrote and sets it on the device.
  virtual QLResultEnum Read(base::Stream& stream) = 0;

  // Also marks the shader, whatever the flag: the shader's mark is what makes
  // the Render record the variables.
  void SetChanged(bool changed);
  // Never cleared by recording: once changed, a variable travels with every
  // later record of its shader.
  bool IsChanged() const { return changed_; }

 private:
  ShaderImpl* impl_;
  bool changed_ = true;
};

template <class T, int Count = 1>
class ShaderScalarPointer;
template <class T, int Count = 1>
class ShaderScalarVariable;
template <int Count = 1>
class ShaderTextureVariable;

// Records the address, not the matrix: the matrix must live until the replay,
// which then reads its value.
template <>
class ShaderScalarPointer<math::Matrix4, 1> : public ShaderVariable {
 public:
  ShaderScalarPointer(ShaderImpl* impl, std::unique_ptr<ShaderScalarVariableImpl> device)
      : ShaderVariable(impl), device_(std::move(device)) {}

  void Set(const math::Matrix4* value) {
    if (value == value_) return;
    value_ = value;
    SetChanged(true);
  }
  const math::Matrix4* Get() const { return value_; }

  QLResultEnum Write(base::Stream& stream) const override { return WriteField(stream, value_) ? QL_OK : QL_FAIL; }
  QLResultEnum Read(base::Stream& stream) override {
    const math::Matrix4* value = nullptr;
    return ReadField(stream, value) ? device_->SetMatrix(value) : QL_FAIL;
  }

 private:
  std::unique_ptr<ShaderScalarVariableImpl> device_;
  const math::Matrix4* value_ = nullptr;
};

template <>
class ShaderScalarVariable<math::Point4, 1> : public ShaderVariable {
 public:
  ShaderScalarVariable(ShaderImpl* impl, std::unique_ptr<ShaderScalarVariableImpl> device)
      : ShaderVariable(impl), device_(std::move(device)) {}

  void Set(const math::Point4& value) {
    value_ = value;
    SetChanged(true);
  }
  const math::Point4& Get() const { return value_; }

  QLResultEnum Write(base::Stream& stream) const override { return WriteField(stream, value_) ? QL_OK : QL_FAIL; }
  QLResultEnum Read(base::Stream& stream) override {
    math::Point4 value;
    if (!ReadField(stream, value)) return QL_FAIL;
    const float vector[4] = {value.r, value.g, value.b, value.a};
    return device_->SetVector(vector);
  }

 private:
  std::unique_ptr<ShaderScalarVariableImpl> device_;
  math::Point4 value_;
};

template <>
class ShaderTextureVariable<1> : public ShaderVariable {
 public:
  ShaderTextureVariable(ShaderImpl* impl, std::unique_ptr<ShaderTextureVariableImpl> device)
      : ShaderVariable(impl), device_(std::move(device)) {}

  void Set(Texture* texture) {
    if (texture == texture_) return;
    texture_ = texture;
    SetChanged(true);
  }
  Texture* Get() const { return texture_; }

  QLResultEnum Write(base::Stream& stream) const override { return WriteField(stream, texture_) ? QL_OK : QL_FAIL; }
  QLResultEnum Read(base::Stream& stream) override {
    Texture* texture = nullptr;
    return ReadField(stream, texture) ? device_->SetTexture(texture) : QL_FAIL;
  }

 private:
  std::unique_ptr<ShaderTextureVariableImpl> device_;
  Texture* texture_ = nullptr;
};

}  // namespace render
