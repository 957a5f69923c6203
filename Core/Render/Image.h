#pragma once

#include <memory>

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Core/Render/ResourceTexture.h"
#include "Core/Resource/ResourceHandle.h"

namespace render {

class Render;
class TextureDX9;

// A picture to draw: a shared texture loaded from a file, or a texture of its
// own (a render target's), with its size and a pixel-exact mouse test.
class Image : base::NoCopy {
 public:
  Image() = default;
  // Takes the texture over; the image deletes it.
  explicit Image(std::unique_ptr<TextureDX9> texture);
  ~Image();

  // Drops the previous resource and takes a use of the handle's texture.
  void SetResource(const resource::ResourceHandle<resource::ResourceTexture>& handle);

  // False outside the image, and where the texture has no hit mask.
  bool HitTest(int x, int y) const;

  TextureDX9* GetTexture() const { return texture_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  resource::ResourceHandle<resource::ResourceTexture> resource_;
  std::unique_ptr<TextureDX9> owned_;
  TextureDX9* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The image of that name, loading its file on the first use of the name; the
// failure of the load is returned and nothing is made.
QLResultEnum CreateImage(Render& render, const base::WString& name, std::unique_ptr<Image>* out);

}  // namespace render
