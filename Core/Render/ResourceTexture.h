#pragma once

#include <memory>

#include "Core/Base/ImageInfo.h"
#include "Core/Resource/Resource.h"
#include "Core/Resource/ResourceHandle.h"

namespace file {
class ImageContainer;
}

namespace render {
class Render;
class TextureDX9;
}  // namespace render

namespace resource {

// An image file, found under the first extension that exists, decoded and
// uploaded once, and shared by every image made from the same name. Its
// description says the image's size and, for a layer of a layered layout,
// where it lies in an atlas: such a layer has no pixels of its own and keeps
// its atlas loaded instead.
class ResourceTexture : public Resource, public base::ImageInfo {
 public:
  ResourceTexture();
  ~ResourceTexture() override;

  // Every lookup of an image file tries these in order; the first is the
  // name itself.
  static const base::WString* GetExtensions();
  static int GetExtensionCount();

  QLResultEnum Release() override;
  QLResultEnum SetRender(render::Render* render);
  // The image is the layer of that name in the layout, which must outlive
  // the load.
  QLResultEnum SetContainer(file::ImageContainer* container, const base::WString& name);

  // This texture's own pixels; null until loaded and for an atlas member.
  render::TextureDX9* GetTexture() const { return texture_.get(); }
  // The texture that holds the pixels: the own one, or the atlas's.
  render::TextureDX9* GetDeviceTexture() const;

 protected:
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  QLResultEnum LoadAtlas();

  ResourceHandle<ResourceTexture> parent_;
  render::Render* render_ = nullptr;
  std::unique_ptr<render::TextureDX9> texture_;
  file::ImageContainer* container_ = nullptr;
  base::WString nameInContainer_;
};

}  // namespace resource
