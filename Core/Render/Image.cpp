#include "Core/Render/Image.h"

#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Resource/ResourceManager.h"

namespace render {

Image::Image(std::unique_ptr<TextureDX9> texture)
    : owned_(std::move(texture)),
      texture_(owned_.get()),
      width_(texture_ ? texture_->GetWidth() : 0),
      height_(texture_ ? texture_->GetHeight() : 0) {}

Image::~Image() = default;

void Image::SetResource(const resource::ResourceHandle<resource::ResourceTexture>& handle) {
  resource_ = handle;
  texture_ = resource_ ? resource_->GetTexture() : nullptr;
  width_ = texture_ ? texture_->GetWidth() : 0;
  height_ = texture_ ? texture_->GetHeight() : 0;
}

bool Image::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  return texture_ && texture_->HitTest(x, y);
}

QLResultEnum CreateImage(Render& render, const base::WString& name, std::unique_ptr<Image>* out) {
  const auto handle = resource::ResourceManager::Instance()->Get<resource::ResourceTexture>(name);
  if (!handle) return QL_FAIL;
  handle->SetRender(&render);
  if (!handle->IsLoaded()) {
    if (const QLResultEnum result = handle->Load(); result != QL_OK) return result;
  }
  auto image = std::make_unique<Image>();
  image->SetResource(handle);
  *out = std::move(image);
  return QL_OK;
}

}  // namespace render
