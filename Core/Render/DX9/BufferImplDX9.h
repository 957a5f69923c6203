#pragma once

#include <memory>

#include "Core/Render/Buffer.h"
#include "Platform/GraphicsDevice.h"

namespace render {

class RenderDX9;

// The device side shared by vertex and index buffers: a device buffer that is
// written while locked.
template <class Base>
class BufferImplDX9 : public Base {
 public:
  explicit BufferImplDX9(RenderDX9* render);

  QLResultEnum Lock() override;
  QLResultEnum Unlock() override;
  // The device keeps buffers through a loss; one left locked is closed so the
  // frame after the reset can lock it again.
  QLResultEnum OnLostDevice() override;
  QLResultEnum OnResetDevice() override { return QL_OK; }
  bool IsNotLocked() const override { return !device_ || !device_->IsLocked(); }

  const std::shared_ptr<platform::GraphicsBuffer>& GetDeviceBuffer() const { return device_; }

 protected:
  QLResultEnum Make(platform::BufferKind kind, std::uint32_t elementSize, std::uint32_t count);

  RenderDX9* renderDX9_;
  std::shared_ptr<platform::GraphicsBuffer> device_;
};

class VertexBufferImplDX9 : public BufferImplDX9<VertexBufferImpl> {
 public:
  using BufferImplDX9::BufferImplDX9;
  QLResultEnum Create(const VertexFormat& format, std::uint32_t count, bool dynamic) override;
};

class IndexBufferImplDX9 : public BufferImplDX9<IndexBufferImpl> {
 public:
  using BufferImplDX9::BufferImplDX9;
  QLResultEnum Create(std::uint32_t indexSize, std::uint32_t count, bool dynamic) override;
};

}  // namespace render
