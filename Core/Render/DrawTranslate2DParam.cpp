#include "Core/Render/DrawTranslate2DParam.h"

#include "Core/Render/DrawParamPositions.h"

namespace render {

QLResultEnum TranslatePositions2D(float dx, float dy, void* vertices, const VertexFormat& format,
                                  std::uint32_t count) {
  const std::uint32_t components = format.position.components;
  if (components != 3 && components != 4) return QL_OK;
  ForEachPosition(vertices, format, count, [dx, dy](float* position, std::uint32_t) {
    position[0] += dx;
    position[1] += dy;
  });
  return QL_OK;
}

}  // namespace render
