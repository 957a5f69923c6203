#include "Core/Render/ResourceTexture.h"

#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/Path.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/ImageLoader.h"
#include "Core/Render/Render.h"
#include "Core/Resource/ResourceManager.h"

namespace resource {

ResourceTexture::ResourceTexture() = default;
ResourceTexture::~ResourceTexture() = default;

const base::WString* ResourceTexture::GetExtensions() { return file::ImageContainer::GetImageExtensions(); }

int ResourceTexture::GetExtensionCount() { return file::ImageContainer::GetImageExtensionCount(); }

QLResultEnum ResourceTexture::Release() { return ResourceManager::Instance()->Release(this); }

QLResultEnum ResourceTexture::SetRender(render::Render* render) {
  render_ = render;
  return QL_OK;
}

QLResultEnum ResourceTexture::SetContainer(file::ImageContainer* container, const base::WString& name) {
  container_ = container;
  nameInContainer_ = name;
  return QL_OK;
}

render::TextureDX9* ResourceTexture::GetDeviceTexture() const {
  // Atlas paths come from data files: a chain that loops ends somewhere.
  const ResourceTexture* texture = this;
  for (int depth = 0; texture->parent_ && depth < 16; ++depth) texture = texture->parent_.Get();
  return texture->texture_.get();
}

QLResultEnum ResourceTexture::DoLoad() {
  if (!render_) return QL_FAIL;
  int index = 0;
  std::unique_ptr<file::FileInfo> entry;
  if (container_) {
    std::unique_ptr<file::ImageFileInfo> image(
        container_->OpenImage(nameInContainer_, GetExtensions(), GetExtensionCount(), &index));
    if (image) static_cast<base::ImageInfo&>(*this) = image->GetImageInfo();
    if (image && inAtlas) return LoadAtlas();
    entry = std::move(image);
  } else {
    entry.reset(file::FileManager::Instance()->Open(GetName(), GetExtensions(), GetExtensionCount(), &index));
  }
  if (!entry) {
    QL_LOG(u"Image '%s' not found\n").AddArg(GetName());
    return QL_FAIL;
  }
  const std::unique_ptr<base::Stream> stream(entry->OpenStream());
  if (!stream) return QL_FAIL;
  const base::WString extension = index == 0 ? file::GetExtension(GetName()) : GetExtensions()[index];
  // The texture comes first: its device's limit bounds what is decoded.
  if (const QLResultEnum result = render::TextureDX9::Create(*render_, &texture_); result != QL_OK) return result;
  const std::unique_ptr<render::ImageData> decoder = render::ImageLoader::Instance()->CreateImageData(
      *stream, extension, texture_->GetMaxSide(), container_ ? this : nullptr);
  if (!decoder) {
    texture_.reset();
    QL_LOG(u"Image '%s' cannot be loaded\n").AddArg(GetName());
    return QL_FAIL;
  }
  if (!container_) {
    rect.width = static_cast<float>(decoder->GetWidth());
    rect.height = static_cast<float>(decoder->GetHeight());
  }
  if (const QLResultEnum result = texture_->CreateFromImage(*decoder); result != QL_OK) {
    texture_.reset();
    return result;
  }
  return QL_OK;
}

QLResultEnum ResourceTexture::LoadAtlas() {
  parent_ = ResourceManager::Instance()->Get<ResourceTexture>(atlasPath);
  if (!parent_ || parent_.Get() == this) {
    parent_ = {};
    QL_LOG(u"Atlas '%s' of image '%s' cannot be used\n").AddArg(atlasPath).AddArg(GetName());
    return QL_FAIL;
  }
  parent_->SetRender(render_);
  if (!parent_->IsLoaded()) return parent_->Load();
  return QL_OK;
}

QLResultEnum ResourceTexture::DoUnload() {
  texture_.reset();
  parent_ = {};
  return QL_OK;
}

}  // namespace resource
