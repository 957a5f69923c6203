#pragma once

#include <memory>

#include "Core/Resource/Resource.h"

namespace render {
class Render;
class TextureDX9;
}  // namespace render

namespace resource {

// An image file, found under the first extension that exists, decoded and
// uploaded once, and shared by every image made from the same name.
class ResourceTexture : public Resource {
 public:
  ResourceTexture();
  ~ResourceTexture() override;

  // Every lookup of an image file tries these in order; the first is the
  // name itself.
  static const base::WString* GetExtensions();
  static constexpr int GetExtensionCount() { return 6; }

  QLResultEnum Release() override;
  QLResultEnum SetRender(render::Render* render);

  // Null until loaded.
  render::TextureDX9* GetTexture() const { return texture_.get(); }

 protected:
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  render::Render* render_ = nullptr;
  std::unique_ptr<render::TextureDX9> texture_;
};

}  // namespace resource
