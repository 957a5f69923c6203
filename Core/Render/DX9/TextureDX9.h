#pragma once

#include <memory>

#include "Core/Render/Texture.h"
#include "Platform/GraphicsTexture.h"

namespace render {

// A texture on the graphics device. The device keeps textures through a loss.
class TextureDX9 : public Texture {
 public:
  explicit TextureDX9(Render* render) : Texture(render) {}

  QLResultEnum OnResetDevice() override { return QL_OK; }
  QLResultEnum OnLostDevice() override { return QL_OK; }

  const std::shared_ptr<platform::GraphicsTexture>& GetDeviceTexture() const { return device_; }
  void SetDeviceTexture(std::shared_ptr<platform::GraphicsTexture> texture) { device_ = std::move(texture); }

 private:
  std::shared_ptr<platform::GraphicsTexture> device_;
};

}  // namespace render
