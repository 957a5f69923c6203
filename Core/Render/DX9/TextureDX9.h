#pragma once

#include <cstdint>
#include <memory>

#include "Core/Render/AlphaHitMask.h"
#include "Core/Render/Texture.h"
#include "Platform/GraphicsTexture.h"

namespace platform {
class GraphicsDevice;
}

namespace render {

class ImageData;

// A texture on the graphics device: filled once from an image file, or a
// render target, or a dynamic texture the caller rewrites. The device drops
// the last two on a loss; they come back empty on reset.
class TextureDX9 : public Texture {
 public:
  explicit TextureDX9(Render* render) : Texture(render) {}

  // A new texture of the Render's device, still without pixels. Every Render
  // here makes device textures, so anything else is refused.
  static QLResultEnum Create(Render& render, std::unique_ptr<TextureDX9>* out);

  QLResultEnum CreateFromImage(ImageData& image);
  QLResultEnum CreateRenderTarget(int width, int height);
  QLResultEnum CreateDynamic(int width, int height);

  // The longest side the device takes; 0 without a device.
  int GetMaxSide() const;

  // True on a pixel whose alpha the image's decoder counted as opaque.
  bool HitTest(int x, int y) const;

  QLResultEnum OnResetDevice() override;
  QLResultEnum OnLostDevice() override;

  // Dynamic textures only: the whole level 0 for writing, size in pixels.
  QLResultEnum Lock(std::uint32_t* size, int* pitch, void** bits);
  QLResultEnum Unlock();

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  bool IsRenderTarget() const { return renderTarget_; }
  const std::shared_ptr<platform::GraphicsTexture>& GetDeviceTexture() const { return device_; }
  void SetDeviceTexture(std::shared_ptr<platform::GraphicsTexture> texture) { device_ = std::move(texture); }

 private:
  platform::GraphicsDevice* Device() const;
  QLResultEnum UploadLevels(ImageData& image);

  std::shared_ptr<platform::GraphicsTexture> device_;
  AlphaHitMask mask_;
  int width_ = 0;
  int height_ = 0;
  bool renderTarget_ = false;
  bool dynamic_ = false;
};

}  // namespace render
