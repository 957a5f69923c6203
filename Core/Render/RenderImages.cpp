#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderTarget.h"

namespace render {

QLResultEnum Render::CreateRenderTarget(int width, int height, std::unique_ptr<RenderTarget>* out, bool ortho) {
  std::unique_ptr<TextureDX9> texture;
  if (const QLResultEnum result = TextureDX9::Create(*this, &texture); result != QL_OK) return result;
  if (const QLResultEnum result = texture->CreateRenderTarget(width, height); result != QL_OK) return result;
  *out = std::make_unique<RenderTarget>(std::move(texture), ortho);
  return QL_OK;
}

}  // namespace render
