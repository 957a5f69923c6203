#include "Core/File/ImageContainer.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Resource/ResourceManager.h"

namespace render {

QLResultEnum Render::CreateImage(const base::WString& name, file::ImageContainer* container,
                                 std::unique_ptr<Image>* out, base::ImageInfo* description) {
  // A layer is cached under its layout's path, so equal layer names of two
  // layouts stay apart.
  const base::WString key = container ? container->GetRootPath() + name : name;
  const auto handle = resource::ResourceManager::Instance()->Get<resource::ResourceTexture>(key);
  if (!handle) return QL_FAIL;
  handle->SetRender(this);
  if (container) handle->SetContainer(container, name);
  if (!handle->IsLoaded()) {
    if (const QLResultEnum result = handle->Load(); result != QL_OK) return result;
  }
  auto image = std::make_unique<Image>();
  image->SetResource(handle);
  *out = std::move(image);
  if (description) *description = *handle.Get();
  return QL_OK;
}

QLResultEnum Render::CreateRenderTarget(int width, int height, std::unique_ptr<RenderTarget>* out, bool ortho) {
  std::unique_ptr<TextureDX9> texture;
  if (const QLResultEnum result = TextureDX9::Create(*this, &texture); result != QL_OK) return result;
  if (const QLResultEnum result = texture->CreateRenderTarget(width, height); result != QL_OK) return result;
  *out = std::make_unique<RenderTarget>(std::move(texture), ortho);
  return QL_OK;
}

}  // namespace render
