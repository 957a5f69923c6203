#include "Core/Render/ResourceTexture.h"

#include <array>

#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/File/FileManager.h"
#include "Core/File/Path.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/ImageLoader.h"
#include "Core/Render/Render.h"
#include "Core/Resource/ResourceManager.h"

namespace resource {

ResourceTexture::ResourceTexture() = default;
ResourceTexture::~ResourceTexture() = default;

const base::WString* ResourceTexture::GetExtensions() {
  static const std::array<base::WString, GetExtensionCount()> extensions{u"", u".dds", u".jpg", u".gif", u".png",
                                                                         u".tga"};
  return extensions.data();
}

QLResultEnum ResourceTexture::Release() { return ResourceManager::Instance()->Release(this); }

QLResultEnum ResourceTexture::SetRender(render::Render* render) {
  render_ = render;
  return QL_OK;
}

QLResultEnum ResourceTexture::DoLoad() {
  if (!render_) return QL_FAIL;
  int index = 0;
  const std::unique_ptr<file::FileInfo> entry(
      file::FileManager::Instance()->Open(GetName(), GetExtensions(), GetExtensionCount(), &index));
  if (!entry) {
    QL_LOG(u"Image '%s' not found\n").AddArg(GetName());
    return QL_FAIL;
  }
  const std::unique_ptr<base::Stream> stream(entry->OpenStream());
  if (!stream) return QL_FAIL;
  const base::WString extension = index == 0 ? file::GetExtension(GetName()) : GetExtensions()[index];
  const std::unique_ptr<render::ImageData> decoder =
      render::ImageLoader::Instance()->CreateImageData(*stream, extension);
  if (!decoder) {
    QL_LOG(u"Image '%s' cannot be loaded\n").AddArg(GetName());
    return QL_FAIL;
  }
  if (const QLResultEnum result = render::TextureDX9::Create(*render_, &texture_); result != QL_OK) return result;
  if (const QLResultEnum result = texture_->CreateFromImage(*decoder); result != QL_OK) {
    texture_.reset();
    return result;
  }
  return QL_OK;
}

QLResultEnum ResourceTexture::DoUnload() {
  texture_.reset();
  return QL_OK;
}

}  // namespace resource
