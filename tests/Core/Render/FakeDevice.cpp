#include "tests/Core/Render/FakeDevice.h"

#include <algorithm>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Shader.h"
#include "Core/Render/VertexFormat.h"
#include "Core/Render/Vertices.h"

namespace render_testing {

namespace {

// A texture of the device classes (an image's) has no name here.
std::string NameOf(render::Texture* texture) {
  if (!texture) return "null";
  const auto* fake = dynamic_cast<FakeTexture*>(texture);
  return fake ? fake->name : "other";
}

std::string NameOf(render::ShaderImpl* impl) { return impl ? static_cast<FakeShaderImpl*>(impl)->name : "null"; }

std::string NameOf(render::VertexBufferImpl* buffer) {
  return buffer ? static_cast<FakeVertexBuffer*>(buffer)->GetName() : "null";
}

std::string NameOf(render::IndexBufferImpl* buffer) {
  return buffer ? static_cast<FakeIndexBuffer*>(buffer)->GetName() : "null";
}

class FakeScalarVariable : public render::ShaderScalarVariableImpl {
 public:
  FakeScalarVariable(CallLog& log, std::string name, const QLResultEnum& result)
      : log_(log), name_(std::move(name)), result_(result) {}

  QLResultEnum SetMatrix(const math::Matrix4* matrix) override {
    log_.push_back("SetMatrix " + name_ + (matrix ? "" : " null"));
    return result_;
  }
  QLResultEnum SetVector(const float value[4]) override {
    log_.push_back("SetVector " + name_ + " " + std::to_string(value[0]) + " " + std::to_string(value[3]));
    return result_;
  }
  QLResultEnum SetFloat(float value) override {
    log_.push_back("SetFloat " + name_ + " " + std::to_string(value));
    return result_;
  }

 private:
  CallLog& log_;
  std::string name_;
  const QLResultEnum& result_;
};

class FakeTextureVariable : public render::ShaderTextureVariableImpl {
 public:
  FakeTextureVariable(CallLog& log, std::string name, const QLResultEnum& result)
      : log_(log), name_(std::move(name)), result_(result) {}

  QLResultEnum SetTexture(render::Texture* texture) override {
    log_.push_back("SetTexture " + name_ + " " + NameOf(texture));
    return result_;
  }

 private:
  CallLog& log_;
  std::string name_;
  const QLResultEnum& result_;
};

}  // namespace

QLResultEnum FakeVertexBuffer::Create(const render::VertexFormat& format, std::uint32_t count, bool) {
  formatId_ = format.id;
  return Make(format.stride, count);
}

QLResultEnum FakeIndexBuffer::Create(std::uint32_t indexSize, std::uint32_t count, bool) {
  return Make(indexSize, count);
}

FakeTexture::FakeTexture(render::Render* render, CallLog& log, std::string name)
    : Texture(render), name(std::move(name)), log_(log) {}

QLResultEnum FakeTexture::OnResetDevice() {
  log_.push_back("OnResetDevice " + name);
  return QL_OK;
}

QLResultEnum FakeTexture::OnLostDevice() {
  log_.push_back("OnLostDevice " + name);
  return QL_OK;
}

FakeShaderImpl::FakeShaderImpl(render::Render* render, CallLog& log, std::string name)
    : ShaderImpl(render), name(std::move(name)), log_(log) {}

QLResultEnum FakeShaderImpl::OnResetDevice() {
  log_.push_back("OnResetDevice " + name);
  return ShaderImpl::OnResetDevice();
}

QLResultEnum FakeShaderImpl::OnLostDevice() {
  log_.push_back("OnLostDevice " + name);
  return ShaderImpl::OnLostDevice();
}

std::unique_ptr<render::ShaderScalarVariableImpl> FakeShaderImpl::CreateScalarVariable(const std::string& variable,
                                                                                       render::ShaderStage) {
  if (variable == missing) return nullptr;
  return std::make_unique<FakeScalarVariable>(log_, name + "." + variable, variableResult);
}

std::unique_ptr<render::ShaderTextureVariableImpl> FakeShaderImpl::CreateTextureVariable(const std::string& variable) {
  if (variable == missing) return nullptr;
  return std::make_unique<FakeTextureVariable>(log_, name + "." + variable, variableResult);
}

CallLog Matching(const CallLog& log, const std::string& prefix) {
  CallLog matching;
  std::copy_if(log.begin(), log.end(), std::back_inserter(matching),
               [&prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  return matching;
}

QLResultEnum DrawQuad(render::Render& render, render::RenderState& state, render::ShaderTextured& shader,
                      render::Texture* texture, std::uint32_t colour, float x, float y, float size,
                      const math::Matrix4* projection) {
  render::SVertex2D* vertices = nullptr;
  render::BufferDoubleCache<render::VertexBuffer<render::SVertex2D>>::Range vertexRange;
  if (const QLResultEnum result =
          render::VertexCacheOf<render::SVertex2D>(render)->Allocate(4, &vertices, &vertexRange);
      result != QL_OK) {
    return result;
  }
  std::uint16_t* indices = nullptr;
  render::Render::IndexCache16::Range indexRange;
  if (const QLResultEnum result = render.GetIndexCache16()->Allocate(6, &indices, &indexRange); result != QL_OK) {
    return result;
  }
  // Clockwise from the top left, as the two triangles below expect.
  const float cornerX[4] = {0, 1, 1, 0};
  const float cornerY[4] = {0, 0, 1, 1};
  for (int corner = 0; corner < 4; ++corner) {
    vertices[corner] = {x + size * cornerX[corner], y + size * cornerY[corner], 0, 1, colour, 0, 0, 0};
  }
  const auto base = static_cast<std::uint16_t>(vertexRange.first);
  const std::uint16_t quad[6] = {0, 1, 2, 0, 2, 3};
  for (int i = 0; i < 6; ++i) indices[i] = static_cast<std::uint16_t>(base + quad[i]);

  state.shader = shader.GetImplementation();
  state.vertexBuffer = vertexRange.buffer->GetImpl();
  state.indexBuffer = indexRange.buffer->GetImpl();
  if (const QLResultEnum result = render.SetState(&state, true); result != QL_OK) return result;
  shader.GetTextureVariable()->Set(texture);
  shader.GetProjectionVariable()->Set(projection ? projection : &render.GetProjection());
  return render.DrawIndexedPrimitive(render::kTriangleList, indexRange.first, 2, vertexRange.first, 4);
}

FakeRender::~FakeRender() { ReleaseDeviceObjects(); }

QLResultEnum FakeRender::InitScreen(float scale, float offsetX, float offsetY) {
  render::RenderInitParam param;
  param.width = 1024;
  param.height = 768;
  param.screenScaleX = scale;
  param.screenScaleY = scale;
  param.screenOffsetX = offsetX;
  param.screenOffsetY = offsetY;
  return Init(nullptr, param);
}

QLResultEnum FakeRender::Call(const std::string& line) {
  log.push_back(line);
  return line.substr(0, line.find(' ')) == failSlot ? failCode : QL_OK;
}

QLResultEnum FakeRender::PrepareSwitchScreenMode() { return Call("PrepareSwitchScreenMode"); }

QLResultEnum FakeRender::SwitchScreenMode(const render::RenderInitParam&) { return Call("SwitchScreenMode"); }

QLResultEnum FakeRender::CreateTexture(std::unique_ptr<render::Texture>& out) {
  const std::string name = "t" + std::to_string(textures_++);
  if (const QLResultEnum result = Call("CreateTexture " + name); result != QL_OK) return result;
  out = std::make_unique<FakeTexture>(this, log, name);
  return QL_OK;
}

QLResultEnum FakeRender::MakeShader(const std::string& name, std::unique_ptr<render::ShaderImpl>& out) {
  if (const QLResultEnum result = Call("Create" + name + "Shader"); result != QL_OK) return result;
  out = std::make_unique<FakeShaderImpl>(this, log, name);
  return QL_OK;
}

QLResultEnum FakeRender::CreateShader(const std::string& vertexSource, const std::string&,
                                      std::unique_ptr<render::ShaderImpl>& out) {
  return MakeShader(vertexSource, out);
}

QLResultEnum FakeRender::CreateGeomShader(std::unique_ptr<render::ShaderImpl>& out) { return MakeShader("Geom", out); }

QLResultEnum FakeRender::CreateTexturedMultShader(std::unique_ptr<render::ShaderImpl>& out) {
  return MakeShader("TexturedMult", out);
}

QLResultEnum FakeRender::CreateTexturedTintShader(std::unique_ptr<render::ShaderImpl>& out) {
  return MakeShader("TexturedTint", out);
}

QLResultEnum FakeRender::CreateVertexBuffer(const render::VertexFormat& format, std::uint32_t count, bool dynamic,
                                            std::unique_ptr<render::VertexBufferImpl>& out) {
  const std::string name = "vb" + std::to_string(vertexBuffers_++);
  if (const QLResultEnum result = Call("CreateVertexBuffer " + name + " " + std::to_string(count)); result != QL_OK) {
    return result;
  }
  auto buffer = std::make_unique<FakeVertexBuffer>(this, log, name);
  if (const QLResultEnum result = buffer->Create(format, count, dynamic); result != QL_OK) return result;
  out = std::move(buffer);
  return QL_OK;
}

QLResultEnum FakeRender::CreateIndexBuffer(std::uint32_t indexSize, std::uint32_t count, bool dynamic,
                                           std::unique_ptr<render::IndexBufferImpl>& out) {
  const std::string name = "ib" + std::to_string(indexBuffers_++);
  if (const QLResultEnum result = Call("CreateIndexBuffer " + name + " " + std::to_string(count)); result != QL_OK) {
    return result;
  }
  auto buffer = std::make_unique<FakeIndexBuffer>(this, log, name);
  if (const QLResultEnum result = buffer->Create(indexSize, count, dynamic); result != QL_OK) return result;
  out = std::move(buffer);
  return QL_OK;
}

bool FakeRender::CheckDevice() {
  log.push_back("CheckDevice");
  return deviceReady;
}

QLResultEnum FakeRender::DeviceClear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) {
  return Call("DeviceClear " + std::to_string(flags) + " " + std::to_string(colour[0]) + " " +
              std::to_string(colour[3]) + " " + std::to_string(z) + " " + std::to_string(stencil));
}

QLResultEnum FakeRender::DeviceBeginScene() { return Call("DeviceBeginScene"); }

QLResultEnum FakeRender::DeviceEndScene() { return Call("DeviceEndScene"); }

QLResultEnum FakeRender::DoPresent() { return Call("DoPresent"); }

QLResultEnum FakeRender::DeviceSetRenderTarget(render::Texture* texture) {
  return Call("DeviceSetRenderTarget " + NameOf(texture));
}

QLResultEnum FakeRender::DeviceSetShader(render::ShaderImpl* impl) { return Call("DeviceSetShader " + NameOf(impl)); }

QLResultEnum FakeRender::DeviceSetVertexFormat(std::uint32_t formatId) {
  return Call("DeviceSetVertexFormat " + std::to_string(formatId));
}

QLResultEnum FakeRender::DeviceSetVertexBuffer(render::VertexBufferImpl* buffer) {
  return Call("DeviceSetVertexBuffer " + NameOf(buffer));
}

QLResultEnum FakeRender::DeviceSetIndexBuffer(render::IndexBufferImpl* buffer) {
  return Call("DeviceSetIndexBuffer " + NameOf(buffer));
}

QLResultEnum FakeRender::DeviceSetBlendMode(std::uint32_t mode) {
  return Call("DeviceSetBlendMode " + std::to_string(mode));
}

QLResultEnum FakeRender::DeviceSetScissorEnable(bool enable) {
  return Call("DeviceSetScissorEnable " + std::to_string(enable));
}

QLResultEnum FakeRender::DeviceSetScissorRect(const int rect[4]) {
  return Call("DeviceSetScissorRect " + std::to_string(rect[0]) + " " + std::to_string(rect[1]) + " " +
              std::to_string(rect[2]) + " " + std::to_string(rect[3]));
}

QLResultEnum FakeRender::DeviceSetDepth(bool enable, bool write) {
  return Call("DeviceSetDepth " + std::to_string(enable) + " " + std::to_string(write));
}

QLResultEnum FakeRender::DeviceDrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                             std::uint32_t primitiveCount) {
  return Call("DeviceDrawPrimitive " + std::to_string(type) + " " + std::to_string(startVertex) + " " +
              std::to_string(primitiveCount));
}

QLResultEnum FakeRender::DeviceDrawIndexedPrimitive(std::uint32_t type, std::uint32_t indexSize,
                                                    std::uint32_t startIndex, std::uint32_t primitiveCount,
                                                    std::uint32_t minVertex, std::uint32_t vertexCount) {
  return Call("DeviceDrawIndexedPrimitive " + std::to_string(type) + " " + std::to_string(indexSize) + " " +
              std::to_string(startIndex) + " " + std::to_string(primitiveCount) + " " + std::to_string(minVertex) +
              " " + std::to_string(vertexCount));
}

}  // namespace render_testing
