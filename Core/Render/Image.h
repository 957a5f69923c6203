#pragma once

#include <cstdint>
#include <memory>

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Render/ResourceTexture.h"
#include "Core/Resource/ResourceHandle.h"

namespace render {

class TextureDX9;
class VertexFormat;

// A picture to draw: a shared texture loaded from a file, a rectangle of an
// atlas texture, or a texture of its own (a render target's), with its size
// and a pixel-exact mouse test.
class Image : base::NoCopy {
 public:
  Image() = default;
  // Takes the texture over; the image deletes it.
  explicit Image(std::unique_ptr<TextureDX9> texture);
  ~Image();

  // Drops the previous resource and takes a use of the handle's texture: the
  // size comes from its description, the texture from the end of its atlas
  // chain.
  void SetResource(const resource::ResourceHandle<resource::ResourceTexture>& handle);

  // False outside the image, and where the texture has no hit mask.
  bool HitTest(int x, int y) const;

  // Texture coordinates of the whole image (0 to 1) become those of its
  // rectangle in the atlas. An image outside any atlas leaves them; 1 when
  // the format has no such two-component set.
  QLResultEnum MapTexCoords(void* vertices, std::uint32_t count, std::uint32_t set, const VertexFormat& format) const;

  TextureDX9* GetTexture() const { return texture_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  resource::ResourceHandle<resource::ResourceTexture> resource_;
  std::unique_ptr<TextureDX9> owned_;
  TextureDX9* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  // Where the image lies in its texture, in texture pixels.
  int atlasX_ = 0;
  int atlasY_ = 0;
  float atlasScaleX_ = 1.0f;
  float atlasScaleY_ = 1.0f;
};

}  // namespace render
