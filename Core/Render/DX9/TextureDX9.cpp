#include "Core/Render/DX9/TextureDX9.h"

#include <algorithm>

#include "Core/Base/LogMessage.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/ImageData.h"
#include "Core/Render/Render.h"
#include "Platform/GraphicsDevice.h"

namespace render {

namespace {

platform::TextureFormat FormatOf(ImageCompression compression) {
  switch (compression) {
    case ImageCompression::kDxt1: return platform::TextureFormat::kDxt1;
    case ImageCompression::kDxt3: return platform::TextureFormat::kDxt3;
    case ImageCompression::kDxt5: return platform::TextureFormat::kDxt5;
    case ImageCompression::kNone: break;
  }
  return platform::TextureFormat::kArgb8;
}

}  // namespace

platform::GraphicsDevice* TextureDX9::Device() const {
  auto* render = static_cast<RenderDX9*>(GetRender());
  return render ? render->GetDevice() : nullptr;
}

QLResultEnum TextureDX9::CreateFromImage(ImageData& image) {
  width_ = image.GetWidth();
  height_ = image.GetHeight();
  renderTarget_ = false;
  dynamic_ = false;
  mask_.Resize(0, false);
  platform::GraphicsDevice* device = Device();
  if (!device || width_ <= 0 || height_ <= 0) return QL_FAIL;
  device_ = device->CreateTexture(width_, height_, image.GetLevelCount(), FormatOf(image.GetCompression()));
  if (!device_) {
    QL_LOG(u"Texture of %d x %d cannot be created\n").AddArg(width_).AddArg(height_);
    return QL_FAIL;
  }
  const QLResultEnum result = UploadLevels(image);
  // A texture that could not be filled must not show stale or partial pixels.
  if (result != QL_OK) {
    device_.reset();
    mask_.Resize(0, false);
  }
  return result;
}

QLResultEnum TextureDX9::UploadLevels(ImageData& image) {
  mask_.Resize(static_cast<std::uint32_t>(width_) * static_cast<std::uint32_t>(height_), false);
  for (int level = 0; level < image.GetLevelCount(); ++level) {
    platform::LockedLevel locked;
    if (!device_->Lock(level, &locked)) return QL_FAIL;
    auto* bits = static_cast<std::uint8_t*>(locked.bits);
    const QLResultEnum decoded =
        level == 0 ? image.Decode(locked.pitch, bits, mask_) : image.DecodeLevel(level, locked.pitch, bits);
    if (!device_->Unlock(level)) return QL_FAIL;
    if (decoded != QL_OK) return decoded;
  }
  return QL_OK;
}

QLResultEnum TextureDX9::Create(Render& render, std::unique_ptr<TextureDX9>* out) {
  std::unique_ptr<Texture> created;
  if (const QLResultEnum result = render.CreateTexture(created); result != QL_OK) return result;
  auto* texture = dynamic_cast<TextureDX9*>(created.get());
  if (!texture) return QL_FAIL;
  created.release();
  out->reset(texture);
  return QL_OK;
}

QLResultEnum TextureDX9::CreateRenderTarget(int width, int height) {
  width_ = width;
  height_ = height;
  renderTarget_ = true;
  dynamic_ = false;
  platform::GraphicsDevice* device = Device();
  device_ = device && width > 0 && height > 0 ? device->CreateRenderTarget(width, height) : nullptr;
  return device_ ? QL_OK : QL_FAIL;
}

QLResultEnum TextureDX9::CreateDynamic(int width, int height) {
  width_ = width;
  height_ = height;
  renderTarget_ = false;
  dynamic_ = true;
  platform::GraphicsDevice* device = Device();
  device_ = device && width > 0 && height > 0
                ? device->CreateTexture(width, height, 1, platform::TextureFormat::kArgb8)
                : nullptr;
  return device_ ? QL_OK : QL_FAIL;
}

int TextureDX9::GetMaxSide() const {
  const platform::GraphicsDevice* device = Device();
  if (!device) return 0;
  const platform::DeviceCaps caps = device->GetCaps();
  return std::min(caps.maxTextureWidth, caps.maxTextureHeight);
}

bool TextureDX9::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return mask_.Get(static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(width_) + static_cast<std::uint32_t>(x));
}

QLResultEnum TextureDX9::OnResetDevice() {
  if (renderTarget_) return CreateRenderTarget(width_, height_);
  if (dynamic_) return CreateDynamic(width_, height_);
  return QL_OK;
}

QLResultEnum TextureDX9::OnLostDevice() {
  if (renderTarget_ || dynamic_) device_.reset();
  return QL_OK;
}

QLResultEnum TextureDX9::Lock(std::uint32_t* size, int* pitch, void** bits) {
  platform::LockedLevel locked;
  if (!dynamic_ || !device_ || !device_->Lock(0, &locked)) return QL_FAIL;
  *size = static_cast<std::uint32_t>(height_) * static_cast<std::uint32_t>(locked.pitch) / 4;
  *pitch = locked.pitch;
  *bits = locked.bits;
  return QL_OK;
}

QLResultEnum TextureDX9::Unlock() {
  return dynamic_ && device_ && device_->Unlock(0) ? QL_OK : QL_FAIL;
}

}  // namespace render
