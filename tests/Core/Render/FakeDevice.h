#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Core/Render/Buffer.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/ShaderImpl.h"
#include "Core/Render/Texture.h"

namespace render_testing {

// What the fake device was asked, one line per call: the slot and its
// arguments, objects by name.
using CallLog = std::vector<std::string>;

template <class Base>
class FakeBuffer : public Base {
 public:
  FakeBuffer(render::Render* render, CallLog& log, std::string name)
      : Base(render), log_(log), name_(std::move(name)) {}

  QLResultEnum Lock() override {
    if (!hasDevice_ || this->IsLocked()) return QL_FAIL;
    this->SetLocked(storage_.data());
    return QL_OK;
  }
  QLResultEnum Unlock() override {
    if (!hasDevice_ || !this->IsLocked()) return QL_FAIL;
    this->SetUnlocked();
    return QL_OK;
  }
  QLResultEnum OnLostDevice() override {
    log_.push_back("OnLostDevice " + name_);
    if (this->IsLocked()) this->SetUnlocked();
    hasDevice_ = false;
    return QL_OK;
  }
  QLResultEnum OnResetDevice() override {
    log_.push_back("OnResetDevice " + name_);
    hasDevice_ = true;
    return QL_OK;
  }
  bool IsNotLocked() const override { return !hasDevice_ || !this->IsLocked(); }

  const std::string& GetName() const { return name_; }
  // What was written into the buffer, whether locked or not.
  const unsigned char* GetBytes() const { return storage_.data(); }

 protected:
  QLResultEnum Make(std::uint32_t elementSize, std::uint32_t count) {
    if (hasDevice_) return QL_FAIL;
    this->elementSize_ = elementSize;
    this->capacity_ = count;
    storage_.resize(std::size_t{elementSize} * count);
    hasDevice_ = true;
    return QL_OK;
  }

 private:
  CallLog& log_;
  std::string name_;
  std::vector<unsigned char> storage_;
  bool hasDevice_ = false;
};

class FakeVertexBuffer : public FakeBuffer<render::VertexBufferImpl> {
 public:
  using FakeBuffer::FakeBuffer;
  QLResultEnum Create(const render::VertexFormat& format, std::uint32_t count, bool dynamic) override;
};

class FakeIndexBuffer : public FakeBuffer<render::IndexBufferImpl> {
 public:
  using FakeBuffer::FakeBuffer;
  QLResultEnum Create(std::uint32_t indexSize, std::uint32_t count, bool dynamic) override;
};

class FakeTexture : public render::Texture {
 public:
  FakeTexture(render::Render* render, CallLog& log, std::string name);
  QLResultEnum OnResetDevice() override;
  QLResultEnum OnLostDevice() override;

  const std::string name;

 private:
  CallLog& log_;
};

class FakeShaderImpl : public render::ShaderImpl {
 public:
  FakeShaderImpl(render::Render* render, CallLog& log, std::string name);
  QLResultEnum OnResetDevice() override;
  QLResultEnum OnLostDevice() override;
  std::unique_ptr<render::ShaderScalarVariableImpl> CreateScalarVariable(const std::string& name,
                                                                         render::ShaderStage stage) override;
  std::unique_ptr<render::ShaderTextureVariableImpl> CreateTextureVariable(const std::string& name) override;

  const std::string name;
  // A constant the shader does not declare: asking for it gives null.
  std::string missing;
  // The device call of each variable fails with this.
  QLResultEnum variableResult = QL_OK;

 private:
  CallLog& log_;
};

// The lines of the log that begin with the prefix.
CallLog Matching(const CallLog& log, const std::string& prefix);

// Draws the way the drawing context draws an image: four vertices and six
// indices from the Render's caches, the textured shader with the texture.
// The square's top-left corner is at (x, y); the projection is the screen's
// unless one is given.
QLResultEnum DrawQuad(render::Render& render, render::RenderState& state, render::ShaderTextured& shader,
                      render::Texture* texture, std::uint32_t colour = 0xFFFFFFFF, float x = 0, float y = 0,
                      float size = 1, const math::Matrix4* projection = nullptr);

// A Render over a device that only writes down what it is asked. The slot
// named in failSlot answers failCode instead of doing its work.
class FakeRender : public render::Render {
 public:
  FakeRender() = default;
  ~FakeRender() override;

  // 1024 x 768 with an orthographic projection and the screen mapping given.
  QLResultEnum InitScreen(float scale = 1.0f, float offsetX = 0.0f, float offsetY = 0.0f);

  QLResultEnum PrepareSwitchScreenMode() override;
  QLResultEnum SwitchScreenMode(const render::RenderInitParam& param) override;
  QLResultEnum CreateTexture(std::unique_ptr<render::Texture>& out) override;
  QLResultEnum CreateShader(const std::string& vertexSource, const std::string& pixelSource,
                            std::unique_ptr<render::ShaderImpl>& out) override;
  QLResultEnum CreateGeomShader(std::unique_ptr<render::ShaderImpl>& out) override;
  QLResultEnum CreateTexturedMultShader(std::unique_ptr<render::ShaderImpl>& out) override;
  QLResultEnum CreateTexturedTintShader(std::unique_ptr<render::ShaderImpl>& out) override;
  QLResultEnum CreateVertexBuffer(const render::VertexFormat& format, std::uint32_t count, bool dynamic,
                                  std::unique_ptr<render::VertexBufferImpl>& out) override;
  QLResultEnum CreateIndexBuffer(std::uint32_t indexSize, std::uint32_t count, bool dynamic,
                                 std::unique_ptr<render::IndexBufferImpl>& out) override;

  using Render::GetCommandBuffer;
  using Render::LoseDeviceObjects;
  using Render::resendScissorOnTargetChange_;
  using Render::ResetDeviceObjects;
  using Render::use32BitIndices_;

  CallLog log;
  std::string failSlot;
  QLResultEnum failCode = QL_FAIL;
  bool deviceReady = true;

 protected:
  bool CheckDevice() override;
  QLResultEnum DeviceClear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) override;
  QLResultEnum DeviceBeginScene() override;
  QLResultEnum DeviceEndScene() override;
  QLResultEnum DoPresent() override;
  QLResultEnum DeviceSetRenderTarget(render::Texture* texture) override;
  QLResultEnum DeviceSetShader(render::ShaderImpl* impl) override;
  QLResultEnum DeviceSetVertexFormat(std::uint32_t formatId) override;
  QLResultEnum DeviceSetVertexBuffer(render::VertexBufferImpl* buffer) override;
  QLResultEnum DeviceSetIndexBuffer(render::IndexBufferImpl* buffer) override;
  QLResultEnum DeviceSetBlendMode(std::uint32_t mode) override;
  QLResultEnum DeviceSetScissorEnable(bool enable) override;
  QLResultEnum DeviceSetScissorRect(const int rect[4]) override;
  QLResultEnum DeviceSetDepth(bool enable, bool write) override;
  QLResultEnum DeviceDrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                   std::uint32_t primitiveCount) override;
  QLResultEnum DeviceDrawIndexedPrimitive(std::uint32_t type, std::uint32_t indexSize, std::uint32_t startIndex,
                                          std::uint32_t primitiveCount, std::uint32_t minVertex,
                                          std::uint32_t vertexCount) override;

 private:
  // Writes the line down; the slot is its first word.
  QLResultEnum Call(const std::string& line);
  QLResultEnum MakeShader(const std::string& name, std::unique_ptr<render::ShaderImpl>& out);

  int vertexBuffers_ = 0;
  int indexBuffers_ = 0;
  int textures_ = 0;
};

}  // namespace render_testing
