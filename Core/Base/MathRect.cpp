#include "Core/Base/MathRect.h"

#include <algorithm>

namespace math {

Rect Rect::Union(const Rect& a, const Rect& b) {
  const float left = std::min(a.x, b.x);
  const float top = std::min(a.y, b.y);
  const float right = std::max(a.x + a.width, b.x + b.width);
  const float bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

}  // namespace math
