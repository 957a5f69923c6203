#include "Core/Render/Image.h"

#include <cstring>

#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/VertexFormat.h"

namespace render {

Image::Image(std::unique_ptr<TextureDX9> texture)
    : owned_(std::move(texture)),
      texture_(owned_.get()),
      width_(texture_ ? texture_->GetWidth() : 0),
      height_(texture_ ? texture_->GetHeight() : 0) {}

Image::~Image() = default;

void Image::SetResource(const resource::ResourceHandle<resource::ResourceTexture>& handle) {
  resource_ = handle;
  texture_ = resource_ ? resource_->GetDeviceTexture() : nullptr;
  width_ = height_ = atlasX_ = atlasY_ = 0;
  atlasScaleX_ = atlasScaleY_ = 1.0f;
  if (!resource_) return;
  width_ = static_cast<int>(resource_->rect.width);
  height_ = static_cast<int>(resource_->rect.height);
  if (!texture_ || texture_->GetWidth() <= 0 || texture_->GetHeight() <= 0) return;
  const auto textureWidth = static_cast<float>(texture_->GetWidth());
  const auto textureHeight = static_cast<float>(texture_->GetHeight());
  const math::Rect& atlas = resource_->atlasRect;
  atlasX_ = static_cast<int>(atlas.x * textureWidth + 0.5f);
  atlasY_ = static_cast<int>(atlas.y * textureHeight + 0.5f);
  // A degenerate atlas rectangle keeps the scale of a plain texture.
  if (atlas.width > 0.0f) atlasScaleX_ = static_cast<float>(width_) / (atlas.width * textureWidth);
  if (atlas.height > 0.0f) atlasScaleY_ = static_cast<float>(height_) / (atlas.height * textureHeight);
}

bool Image::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || !texture_) return false;
  if (resource_) {
    x = static_cast<int>(static_cast<float>(x) * atlasScaleX_ + static_cast<float>(atlasX_) + 0.5f);
    y = static_cast<int>(static_cast<float>(y) * atlasScaleY_ + static_cast<float>(atlasY_) + 0.5f);
  }
  return texture_->HitTest(x, y);
}

QLResultEnum Image::MapTexCoords(void* vertices, std::uint32_t count, std::uint32_t set,
                                 const VertexFormat& format) const {
  if (!resource_ || !resource_->inAtlas) return QL_OK;
  if (set >= format.texCoordSets.size() || format.texCoordSets[set].components < 2) return QL_FAIL;
  const math::Rect& atlas = resource_->atlasRect;
  auto* bytes = static_cast<std::uint8_t*>(vertices);
  for (std::uint32_t i = 0; i < count; ++i) {
    float uv[2];
    std::uint8_t* at = bytes + static_cast<std::size_t>(i) * format.stride + format.texCoordSets[set].offset;
    std::memcpy(uv, at, sizeof uv);
    uv[0] = uv[0] * atlas.width + atlas.x;
    uv[1] = atlas.y + uv[1] * atlas.height;
    std::memcpy(at, uv, sizeof uv);
  }
  return QL_OK;
}

}  // namespace render
