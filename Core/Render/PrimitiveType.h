#pragma once

#include <cstdint>

namespace render {

enum PrimitiveType : std::uint32_t {
  kPointList = 0,
  kLineList = 1,
  kLineStrip = 2,
  kTriangleList = 3,
  kTriangleStrip = 4,
  kTriangleFan = 5,
  kNoPrimitive = 6,
};

}  // namespace render
