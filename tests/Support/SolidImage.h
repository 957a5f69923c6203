#pragma once

#include <cstdint>
#include <memory>

#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"

namespace testing_support {

// An image of one colour (0xAARRGGBB) in every pixel; null when the device
// cannot make it. Header-only: the users link the renderer themselves.
inline std::unique_ptr<render::Image> MakeSolidImage(render::Render& render, int width, int height,
                                                     std::uint32_t argb) {
  std::unique_ptr<render::TextureDX9> texture;
  if (render::TextureDX9::Create(render, &texture) != QL_OK || texture->CreateDynamic(width, height) != QL_OK)
    return nullptr;
  std::uint32_t size = 0;
  int pitch = 0;
  void* bits = nullptr;
  if (texture->Lock(&size, &pitch, &bits) != QL_OK) return nullptr;
  auto* row = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < height; ++y, row += pitch)
    for (int x = 0; x < width; ++x) reinterpret_cast<std::uint32_t*>(row)[x] = argb;
  texture->Unlock();
  return std::make_unique<render::Image>(std::move(texture));
}

}  // namespace testing_support
