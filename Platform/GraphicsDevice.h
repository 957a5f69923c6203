#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/GraphicsBuffer.h"
#include "Platform/GraphicsCaps.h"
#include "Platform/GraphicsContext.h"
#include "Platform/GraphicsFormats.h"
#include "Platform/GraphicsFramebuffer.h"
#include "Platform/GraphicsProgram.h"
#include "Platform/GraphicsRenderStates.h"
#include "Platform/GraphicsSamplers.h"
#include "Platform/GraphicsStates.h"
#include "Platform/GraphicsTexture.h"
#include "Platform/GraphicsVertexLayout.h"

struct SDL_Window;

namespace platform {

struct PresentParameters {
  int width = 0;
  int height = 0;
  bool windowed = true;
};

// The renderer's graphics device, with the calls and conventions of a
// Direct3D 9 device carried out on OpenGL 3.3 core. Drawing goes into a back
// buffer of the requested size, top row first, so that pixel coordinates,
// viewports and scissor rects mean what they mean on Direct3D 9; Present
// shows it in the window.
//
// Objects are shared: the device keeps what is set on it alive, as Direct3D 9
// holds references. All of them may outlive the device, but stay unusable.
class GraphicsDevice {
 public:
  // Null when the window cannot get a GL 3.3 core context.
  static std::unique_ptr<GraphicsDevice> Create(SDL_Window* window, const PresentParameters& parameters);
  ~GraphicsDevice();
  GraphicsDevice(const GraphicsDevice&) = delete;
  GraphicsDevice& operator=(const GraphicsDevice&) = delete;

  DeviceCaps GetCaps() const { return QueryDeviceCaps(); }
  const PresentParameters& GetPresentParameters() const { return parameters_; }

  // GL never loses its device; only SimulateDeviceLoss makes these report it.
  DeviceResult TestCooperativeLevel();
  // A new back buffer, and every device state back at its default. Objects
  // made by the device stay valid with their contents.
  DeviceResult Reset(const PresentParameters& parameters);
  // Acts as a lost Direct3D 9 device would, so that the renderer's recovery
  // can be tried: the next test reports lost and Present fails; afterwards
  // the test reports that a reset is needed, until a Reset succeeds. The
  // first failingResets Resets fail as out of video memory.
  void SimulateDeviceLoss(int failingResets = 0);

  std::shared_ptr<GraphicsBuffer> CreateBuffer(BufferKind kind, std::size_t bytes);
  std::shared_ptr<GraphicsTexture> CreateTexture(int width, int height, int levels, TextureFormat format);
  std::shared_ptr<GraphicsTexture> CreateRenderTarget(int width, int height);
  // Null, with the compiler's messages in errors, when it does not build.
  // The sources follow the conventions of GraphicsProgram.h.
  std::shared_ptr<GraphicsProgram> CreateProgram(const std::string& vertexSource, const std::string& pixelSource,
                                                 std::string* errors);

  DeviceResult BeginScene();
  DeviceResult EndScene();
  DeviceResult Present();
  // Clears the viewport, within the scissor rect when the test is on.
  // colour is 0xAARRGGBB.
  DeviceResult Clear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil);
  // Pixels of the current target as 0xAARRGGBB, top row first; empty when the
  // rect leaves the target.
  std::vector<std::uint32_t> ReadPixels(const PixelRect& rect) const;

  // Null means the back buffer. The viewport and the scissor rect are reset
  // to the whole target, as Direct3D 9 does.
  DeviceResult SetRenderTarget(std::shared_ptr<GraphicsTexture> texture);
  void SetViewport(const Viewport& viewport);
  GraphicsRenderStates& GetRenderStates() { return states_; }
  GraphicsSamplers& GetSamplers() { return *samplers_; }
  DeviceResult SetTexture(int stage, std::shared_ptr<GraphicsTexture> texture);

  void SetProgram(std::shared_ptr<GraphicsProgram> program);
  // Writes registers of the stage's constant file, 4 floats each. Like
  // Direct3D 9's, the files belong to the device and outlast program changes.
  DeviceResult SetShaderConstants(ShaderStage stage, int firstRegister, const float* values, int registers);

  // Fails for codes VertexLayout cannot read.
  DeviceResult SetVertexLayout(std::uint32_t fvf);
  DeviceResult SetStreamSource(std::shared_ptr<GraphicsBuffer> vertices, int stride);
  DeviceResult SetIndices(std::shared_ptr<GraphicsBuffer> indices);
  DeviceResult DrawPrimitive(PrimitiveType type, int startVertex, int primitives);
  // Index values are relative to baseVertex; minVertex and vertices give the
  // range they fall in.
  DeviceResult DrawIndexedPrimitive(PrimitiveType type, int baseVertex, int minVertex, int vertices, int startIndex,
                                    int primitives);

  static constexpr int kConstantRegisters = 256;

 private:
  enum class Loss { kNone, kLost, kNotReset };
  using RegisterFile = std::array<std::array<float, 4>, kConstantRegisters>;

  explicit GraphicsDevice(std::shared_ptr<GraphicsContext> context);
  const GraphicsFramebuffer& Target() const;
  PixelRect TargetRect() const;
  void BindTarget() const;
  // Binds what a draw reading vertices [0, vertexEnd) of the stream needs.
  bool PrepareDraw(long long vertexEnd);
  void UploadUniforms();

  std::shared_ptr<GraphicsContext> context_;
  std::unique_ptr<GraphicsSamplers> samplers_;
  std::unique_ptr<GraphicsFramebuffer> backBuffer_;
  PresentParameters parameters_;
  GraphicsRenderStates states_;
  Viewport viewport_;
  unsigned vertexArray_ = 0;
  unsigned enabledAttributes_ = 0;
  Loss loss_ = Loss::kNone;
  int failingResets_ = 0;
  bool inScene_ = false;

  std::shared_ptr<GraphicsTexture> target_;
  std::array<std::shared_ptr<GraphicsTexture>, kTextureStages> textures_;
  std::shared_ptr<GraphicsProgram> program_;
  std::optional<VertexLayout> layout_;
  std::shared_ptr<GraphicsBuffer> stream_;
  int stride_ = 0;
  std::shared_ptr<GraphicsBuffer> indices_;
  RegisterFile vertexRegisters_{};
  RegisterFile pixelRegisters_{};
  // Bumped by every change a program's uniforms depend on.
  std::uint64_t uniformsVersion_ = 1;
};

}  // namespace platform
