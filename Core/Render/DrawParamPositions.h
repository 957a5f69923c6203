#pragma once

#include <cstdint>
#include <cstring>

#include "Core/Render/VertexFormat.h"

namespace render {

namespace detail {

// The component count is a constant here, so each copy is a fixed-size move
// the compiler turns into plain loads and stores instead of a library call
// per vertex.
template <std::uint32_t Components, class Visit>
void VisitPositions(std::uint8_t* bytes, std::uint32_t stride, std::uint32_t count, Visit& visit) {
  for (std::uint32_t i = 0; i < count; ++i, bytes += stride) {
    float position[4] = {};
    std::memcpy(position, bytes, Components * sizeof(float));
    visit(position, Components);
    std::memcpy(bytes, position, Components * sizeof(float));
  }
}

}  // namespace detail

// Visits the position of every vertex through the format's position element
// and stride. The visitor gets the components as floats and their count, and
// whatever it changes is written back.
template <class Visit>
void ForEachPosition(void* vertices, const VertexFormat& format, std::uint32_t count, Visit&& visit) {
  if (!vertices) return;
  auto* bytes = static_cast<std::uint8_t*>(vertices) + format.position.offset;
  switch (format.position.components) {
    case 1: return detail::VisitPositions<1>(bytes, format.stride, count, visit);
    case 2: return detail::VisitPositions<2>(bytes, format.stride, count, visit);
    case 3: return detail::VisitPositions<3>(bytes, format.stride, count, visit);
    case 4: return detail::VisitPositions<4>(bytes, format.stride, count, visit);
    default: return;
  }
}

}  // namespace render
