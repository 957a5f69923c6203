#pragma once

#include <memory>

#include "Core/Render/Render.h"
#include "Platform/GraphicsDevice.h"

namespace render {

// The graphics device's ratio of a screen's sides, reduced.
struct AspectRatio {
  AspectRatio(int a, int b);
  int numerator;
  int denominator;
};

// The renderer's back end on the graphics device: start-up checks, the fixed
// device state, the replayed device operations, and the road through a lost
// device and back.
class RenderDX9 : public Render {
 public:
  RenderDX9();
  ~RenderDX9() override;

  QLResultEnum Init(app::Window* window, const RenderInitParam& param) override;
  QLResultEnum PrepareSwitchScreenMode() override;
  QLResultEnum SwitchScreenMode(const RenderInitParam& param) override;

  QLResultEnum CreateTexture(std::unique_ptr<Texture>& out) override;
  QLResultEnum CreateShader(const std::string& vertexSource, const std::string& pixelSource,
                            std::unique_ptr<ShaderImpl>& out) override;
  QLResultEnum CreateGeomShader(std::unique_ptr<ShaderImpl>& out) override;
  QLResultEnum CreateTexturedMultShader(std::unique_ptr<ShaderImpl>& out) override;
  QLResultEnum CreateTexturedTintShader(std::unique_ptr<ShaderImpl>& out) override;
  QLResultEnum CreateVertexBuffer(const VertexFormat& format, std::uint32_t count, bool dynamic,
                                  std::unique_ptr<VertexBufferImpl>& out) override;
  QLResultEnum CreateIndexBuffer(std::uint32_t indexSize, std::uint32_t count, bool dynamic,
                                 std::unique_ptr<IndexBufferImpl>& out) override;

  platform::GraphicsDevice* GetDevice() const { return device_.get(); }
  bool IsDeviceLost() const { return deviceLost_; }
  bool IsScissorSupported() const { return scissorSupported_; }

 protected:
  bool CheckDevice() override;
  QLResultEnum DeviceClear(std::uint32_t flags, const float colour[4], float z, std::uint32_t stencil) override;
  QLResultEnum DeviceBeginScene() override;
  QLResultEnum DeviceEndScene() override;
  QLResultEnum DoPresent() override;
  QLResultEnum DeviceSetRenderTarget(Texture* texture) override;
  QLResultEnum DeviceSetShader(ShaderImpl* impl) override;
  QLResultEnum DeviceSetVertexFormat(std::uint32_t formatId) override;
  QLResultEnum DeviceSetVertexBuffer(VertexBufferImpl* buffer) override;
  QLResultEnum DeviceSetIndexBuffer(IndexBufferImpl* buffer) override;
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
  QLResultEnum FillPresentParameters();
  QLResultEnum InitDeviceState();
  QLResultEnum SetDefaultStates();
  QLResultEnum PrepareBackBuffer();
  QLResultEnum LostDevice();
  QLResultEnum ResetDevice();

  app::Window* window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool windowed_ = true;
  std::unique_ptr<platform::GraphicsDevice> device_;
  platform::PresentParameters presentParameters_;
  bool deviceLost_ = false;
  bool scissorSupported_ = false;
  bool anisotropicMinify_ = false;
  bool anisotropicMagnify_ = false;
};

}  // namespace render
