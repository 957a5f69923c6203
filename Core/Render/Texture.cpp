#include "Core/Render/Texture.h"

#include "Core/Render/Render.h"

namespace render {

Texture::Texture(Render* render) : render_(render) {
  if (render_) render_->RegisterTexture(this);
}

Texture::~Texture() {
  if (render_) render_->UnregisterTexture(this);
}

}  // namespace render
