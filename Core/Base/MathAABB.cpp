#include "Core/Base/MathAABB.h"

#include <algorithm>

namespace math {
namespace {

Point3 Smaller(const Point3& a, const Point3& b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
}

Point3 Larger(const Point3& a, const Point3& b) {
  return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
}

}  // namespace

Point3 AABB::GetCorner(int index) const {
  switch (index) {
    case 0: return {min.x, min.y, min.z};
    case 1: return {min.x, min.y, max.z};
    case 2: return {max.x, min.y, max.z};
    case 3: return {max.x, min.y, min.z};
    case 4: return {min.x, max.y, min.z};
    case 5: return {min.x, max.y, max.z};
    case 6: return {max.x, max.y, max.z};
    case 7: return {max.x, max.y, min.z};
    default: return {};
  }
}

void AABB::Extend(const Point3& point) {
  min = Smaller(min, point);
  max = Larger(max, point);
}

// Minimum against minimum and maximum against maximum, so extending by an
// empty box (minimum above maximum) changes nothing.
void AABB::Extend(const AABB& box) {
  min = Smaller(min, box.min);
  max = Larger(max, box.max);
}

}  // namespace math
