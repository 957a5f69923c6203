#pragma once

#include <cstdint>
#include <cstring>

#include "Core/Render/VertexFormat.h"

namespace render {

// Visits the position of every vertex through the format's position element
// and stride. The visitor gets the components as floats and their count, and
// whatever it changes is written back.
template <class Visit>
void ForEachPosition(void* vertices, const VertexFormat& format, std::uint32_t count, Visit&& visit) {
  constexpr std::uint32_t kMaxComponents = 4;
  const std::uint32_t components = format.position.components;
  if (!vertices || components == 0 || components > kMaxComponents) return;
  auto* bytes = static_cast<std::uint8_t*>(vertices) + format.position.offset;
  for (std::uint32_t i = 0; i < count; ++i, bytes += format.stride) {
    float position[kMaxComponents] = {};
    std::memcpy(position, bytes, components * sizeof(float));
    visit(position, components);
    std::memcpy(bytes, position, components * sizeof(float));
  }
}

}  // namespace render
