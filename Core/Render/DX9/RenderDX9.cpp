#include "Core/Render/DX9/RenderDX9.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "Core/App/Application.h"
#include "Core/App/Window.h"
#include "Core/Base/LogMessage.h"
#include "Core/Render/DX9/BufferImplDX9.h"
#include "Core/Render/DX9/BuiltInShaders.h"
#include "Core/Render/DX9/ShaderImplDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/VertexFormatRegistry.h"

namespace render {

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;
constexpr std::uint32_t kMinimumVertexIndex = 0xFFFF;
constexpr platform::ShaderModel kMinimumVertexShader{1, 1};
constexpr platform::ShaderModel kMinimumPixelShader{2, 0};

QLResultEnum ResultOf(platform::DeviceResult result) { return result == platform::DeviceResult::kOk ? QL_OK : QL_FAIL; }

platform::PrimitiveType DevicePrimitive(std::uint32_t type) {
  switch (type) {
    case kPointList: return platform::PrimitiveType::kPointList;
    case kLineList: return platform::PrimitiveType::kLineList;
    case kLineStrip: return platform::PrimitiveType::kLineStrip;
    case kTriangleStrip: return platform::PrimitiveType::kTriangleStrip;
    case kTriangleFan: return platform::PrimitiveType::kTriangleFan;
    default: return platform::PrimitiveType::kTriangleList;
  }
}

// Channels are truncated and keep their low 8 bits, as the device packs them.
std::uint32_t PackClearColour(const float colour[4]) {
  const auto channel = [](float c) { return static_cast<std::uint32_t>(static_cast<int>(c * 255.0f)) & 0xFFu; };
  return channel(colour[3]) << 24 | channel(colour[0]) << 16 | channel(colour[1]) << 8 | channel(colour[2]);
}

void Sleep100() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

}  // namespace

AspectRatio::AspectRatio(int a, int b) {
  int x = a;
  int y = b;
  while (y != 0) {
    const int rest = x % y;
    x = y;
    y = rest;
  }
  // 0 by 0 has no ratio; it stays as it is rather than dividing by zero.
  const unsigned divisor = x == 0 ? 1u : static_cast<unsigned>(std::abs(x));
  numerator = static_cast<int>(static_cast<unsigned>(a) / divisor);
  denominator = static_cast<int>(static_cast<unsigned>(b) / divisor);
}

RenderDX9::RenderDX9() { resendScissorOnTargetChange_ = true; }

RenderDX9::~RenderDX9() {
  ReleaseDeviceObjects();
  device_.reset();
}

QLResultEnum RenderDX9::Init(app::Window* window, const RenderInitParam& param) {
  window_ = window;
  width_ = param.width;
  height_ = param.height;
  windowed_ = param.windowed != 0;
  if (!window_ || FillPresentParameters() != QL_OK) return QL_FAIL;
  device_ = platform::GraphicsDevice::Create(window_->GetNativeWindow().GetHandle(), presentParameters_);
  if (!device_) return QL_FAIL;

  const platform::DeviceCaps caps = device_->GetCaps();
  QL_LOG(u"Max texture Width: %d\n").AddArg(caps.maxTextureWidth);
  QL_LOG(u"Max texture Height: %d\n").AddArg(caps.maxTextureHeight);
  if (caps.maxVertexIndex < kMinimumVertexIndex) return QL_FAIL;
  if (caps.vertexShader < kMinimumVertexShader || caps.pixelShader < kMinimumPixelShader) {
    app::Application* application = app::Application::Instance();
    application->SetRenderFailed();
    application->Finish();
    return QL_FAIL;
  }
  anisotropicMinify_ = caps.anisotropicMinify;
  anisotropicMagnify_ = caps.anisotropicMagnify;
  if (!caps.scissorTest) return QL_FAIL;
  scissorSupported_ = true;

  if (const QLResultEnum result = PrepareBackBuffer()) return result;
  return Render::Init(window, param);
}

QLResultEnum RenderDX9::FillPresentParameters() {
  presentParameters_ = {width_, height_, windowed_};
  return QL_OK;
}

// The viewport over the whole back buffer, a black first picture, and the
// fixed states.
QLResultEnum RenderDX9::PrepareBackBuffer() {
  device_->SetViewport({0, 0, width_, height_, 0.0f, 1.0f});
  if (ResultOf(device_->Clear(platform::kClearTarget | platform::kClearDepth, kOpaqueBlack, 1.0f, 0)) != QL_OK ||
      ResultOf(device_->Present()) != QL_OK)
    return QL_FAIL;
  return SetDefaultStates();
}

QLResultEnum RenderDX9::SetDefaultStates() {
  using platform::TextureFilter;
  platform::GraphicsSamplers& samplers = device_->GetSamplers();
  samplers.SetFilters(0, anisotropicMinify_ ? TextureFilter::kAnisotropic : TextureFilter::kLinear,
                      anisotropicMagnify_ ? TextureFilter::kAnisotropic : TextureFilter::kLinear, TextureFilter::kLinear);
  samplers.SetAddress(0, platform::TextureAddress::kClamp, platform::TextureAddress::kClamp);

  // The colour comes from the shaders, so the fixed-function colour states
  // have nothing to set here. With blending on, the destination alpha always
  // becomes source alpha + destination alpha.
  platform::GraphicsRenderStates& states = device_->GetRenderStates();
  states.SetCullMode(platform::CullMode::kCounterClockwise);
  states.SetSeparateAlphaBlendEnable(true);
  states.SetAlphaBlendFactors(platform::BlendFactor::kOne, platform::BlendFactor::kOne);
  states.SetDepthEnable(false);
  return QL_OK;
}

QLResultEnum RenderDX9::InitDeviceState() {
  QL_LOG(u"RenderDX9::InitDeviceState()\n");
  if (const QLResultEnum result = PrepareBackBuffer()) return result;
  ResetState();
  return QL_OK;
}

bool RenderDX9::CheckDevice() {
  const bool mayRender = windowed_ ? !window_->IsMinimized() : window_->IsActive();
  if (!mayRender) {
    if (windowed_) return false;
    if (deviceLost_) {
      Sleep100();
    } else {
      LostDevice();
      deviceLost_ = true;
    }
    return false;
  }
  switch (device_->TestCooperativeLevel()) {
    case platform::DeviceResult::kOk:
      return true;
    case platform::DeviceResult::kDeviceLost:
      if (!deviceLost_) {
        LostDevice();
        deviceLost_ = true;
      }
      Sleep100();
      return false;
    case platform::DeviceResult::kDeviceNotReset:
      if (ResetDevice() != QL_FAIL) deviceLost_ = false;
      return false;
    default:
      return false;
  }
}

QLResultEnum RenderDX9::PrepareSwitchScreenMode() { return LostDevice(); }

QLResultEnum RenderDX9::SwitchScreenMode(const RenderInitParam& param) {
  windowed_ = param.windowed != 0;
  width_ = param.width;
  height_ = param.height;
  if (const QLResultEnum result = SetScreen(param)) return result;
  if (FillPresentParameters() != QL_OK) return QL_FAIL;
  return ResetDevice();
}

QLResultEnum RenderDX9::LostDevice() {
  QL_LOG(u"RenderDX9::LostDevice()\n");
  LoseDeviceObjects();
  return QL_OK;
}

QLResultEnum RenderDX9::ResetDevice() {
  QL_LOG(u"RenderDX9::ResetDevice()\n");
  FillPresentParameters();
  switch (device_->Reset(presentParameters_)) {
    case platform::DeviceResult::kOk:
      break;
    case platform::DeviceResult::kDeviceLost:
      QL_LOG(u"\tD3DERR_DEVICELOST\n");
      return QL_FAIL;
    case platform::DeviceResult::kOutOfVideoMemory:
      QL_LOG(u"\tD3DERR_OUTOFVIDEOMEMORY \n");
      return QL_FAIL;
    default:
      return QL_FAIL;
  }
  QL_LOG(u"\tD3D_OK\n");
  ResetDeviceObjects();
  InitDeviceState();
  return QL_OK;
}

QLResultEnum RenderDX9::CreateTexture(std::unique_ptr<Texture>& out) {
  out = std::make_unique<TextureDX9>(this);
  return QL_OK;
}

QLResultEnum RenderDX9::CreateShader(const std::string& vertexSource, const std::string& pixelSource,
                                     std::unique_ptr<ShaderImpl>& out) {
  auto shader = std::make_unique<ShaderImplDX9>(this);
  if (const QLResultEnum result = shader->Compile(vertexSource, pixelSource)) return result;
  out = std::move(shader);
  return QL_OK;
}

QLResultEnum RenderDX9::CreateGeomShader(std::unique_ptr<ShaderImpl>& out) {
  return CreateShader(kVertexShaderGeomText, kPixelShaderGeomText, out);
}

QLResultEnum RenderDX9::CreateTexturedMultShader(std::unique_ptr<ShaderImpl>& out) {
  return CreateShader(kVertexShaderTexturedMultText, kPixelShaderTexturedMultText, out);
}

QLResultEnum RenderDX9::CreateTexturedTintShader(std::unique_ptr<ShaderImpl>& out) {
  return CreateShader(kVertexShaderTexturedTintText, kPixelShaderTexturedTintText, out);
}

QLResultEnum RenderDX9::CreateVertexBuffer(const VertexFormat& format, std::uint32_t count, bool dynamic,
                                           std::unique_ptr<VertexBufferImpl>& out) {
  auto buffer = std::make_unique<VertexBufferImplDX9>(this);
  if (const QLResultEnum result = buffer->Create(format, count, dynamic)) return result;
  out = std::move(buffer);
  return QL_OK;
}

QLResultEnum RenderDX9::CreateIndexBuffer(std::uint32_t indexSize, std::uint32_t count, bool dynamic,
                                          std::unique_ptr<IndexBufferImpl>& out) {
  auto buffer = std::make_unique<IndexBufferImplDX9>(this);
  if (const QLResultEnum result = buffer->Create(indexSize, count, dynamic)) return result;
  out = std::move(buffer);
  return QL_OK;
}

QLResultEnum RenderDX9::DeviceClear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) {
  std::uint32_t deviceFlags = 0;
  if (flags & kClearColor) deviceFlags |= platform::kClearTarget;
  if (flags & kClearDepth) deviceFlags |= platform::kClearDepth;
  if (flags & kClearStencil) deviceFlags |= platform::kClearStencil;
  return ResultOf(device_->Clear(deviceFlags, PackClearColour(colour), z, stencil));
}

QLResultEnum RenderDX9::DeviceBeginScene() { return ResultOf(device_->BeginScene()); }

QLResultEnum RenderDX9::DeviceEndScene() { return ResultOf(device_->EndScene()); }

QLResultEnum RenderDX9::DoPresent() {
  const platform::DeviceResult result = device_->Present();
  if (result == platform::DeviceResult::kOk) return QL_OK;
  QL_LOG(u"mDevice->Present failed\n");
  if (result == platform::DeviceResult::kDeviceLost) QL_LOG(u"\tD3DERR_DEVICELOST\n");
  if (result == platform::DeviceResult::kInvalidCall) QL_LOG(u"\tD3DERR_INVALIDCALL\n");
  if (result == platform::DeviceResult::kOutOfVideoMemory) QL_LOG(u"\tD3DERR_OUTOFVIDEOMEMORY\n");
  return QL_FAIL;
}

QLResultEnum RenderDX9::DeviceSetRenderTarget(Texture* texture) {
  auto* target = static_cast<TextureDX9*>(texture);
  return ResultOf(device_->SetRenderTarget(target ? target->GetDeviceTexture() : nullptr));
}

QLResultEnum RenderDX9::DeviceSetShader(ShaderImpl* impl) {
  device_->SetProgram(impl ? static_cast<ShaderImplDX9*>(impl)->GetProgram() : nullptr);
  return QL_OK;
}

QLResultEnum RenderDX9::DeviceSetVertexFormat(std::uint32_t formatId) {
  if (formatId >= GetVertexFormatCount()) return QL_FAIL;
  return ResultOf(device_->SetVertexLayout(GetVertexFormat(formatId).fvf));
}

QLResultEnum RenderDX9::DeviceSetVertexBuffer(VertexBufferImpl* buffer) {
  auto* vertices = static_cast<VertexBufferImplDX9*>(buffer);
  if (!vertices) return ResultOf(device_->SetStreamSource(nullptr, 0));
  return ResultOf(device_->SetStreamSource(vertices->GetDeviceBuffer(), static_cast<int>(vertices->GetElementSize())));
}

QLResultEnum RenderDX9::DeviceSetIndexBuffer(IndexBufferImpl* buffer) {
  auto* indices = static_cast<IndexBufferImplDX9*>(buffer);
  return ResultOf(device_->SetIndices(indices ? indices->GetDeviceBuffer() : nullptr));
}

QLResultEnum RenderDX9::DeviceSetBlendMode(std::uint32_t mode) {
  platform::GraphicsRenderStates& states = device_->GetRenderStates();
  switch (mode) {
    case 0:
      states.SetAlphaBlendEnable(false);
      return QL_OK;
    case 1:
      states.SetAlphaBlendEnable(true);
      states.SetBlendFactors(platform::BlendFactor::kSourceAlpha, platform::BlendFactor::kInverseSourceAlpha);
      return QL_OK;
    case 2:
      states.SetAlphaBlendEnable(true);
      states.SetBlendFactors(platform::BlendFactor::kSourceAlpha, platform::BlendFactor::kOne);
      return QL_OK;
    default:
      return QL_OK;
  }
}

QLResultEnum RenderDX9::DeviceSetScissorEnable(bool enable) {
  if (scissorSupported_) device_->GetRenderStates().SetScissorEnable(enable);
  return QL_OK;
}

QLResultEnum RenderDX9::DeviceSetScissorRect(const int rect[4]) {
  if (scissorSupported_)
    device_->GetRenderStates().SetScissorRect({rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3]});
  return QL_OK;
}

QLResultEnum RenderDX9::DeviceSetDepth(bool enable, bool write) {
  platform::GraphicsRenderStates& states = device_->GetRenderStates();
  states.SetDepthEnable(enable);
  if (enable) states.SetDepthWrite(write);
  return QL_OK;
}

QLResultEnum RenderDX9::DeviceDrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                            std::uint32_t primitiveCount) {
  return ResultOf(device_->DrawPrimitive(DevicePrimitive(type), static_cast<int>(startVertex),
                                         static_cast<int>(primitiveCount)));
}

QLResultEnum RenderDX9::DeviceDrawIndexedPrimitive(std::uint32_t type, std::uint32_t, std::uint32_t startIndex,
                                                   std::uint32_t primitiveCount, std::uint32_t minVertex,
                                                   std::uint32_t vertexCount) {
  return ResultOf(device_->DrawIndexedPrimitive(DevicePrimitive(type), 0, static_cast<int>(minVertex),
                                                static_cast<int>(vertexCount), static_cast<int>(startIndex),
                                                static_cast<int>(primitiveCount)));
}

}  // namespace render
