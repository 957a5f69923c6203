#pragma once

#include "Core/Base/MathPoint3.h"

namespace math {

struct AABB {
  Point3 min;
  Point3 max;

  // Corners 0-3 lie on the bottom (y = min.y) and 4-7 on the top, each four
  // walking (x, z) as (min, min), (min, max), (max, max), (max, min). Any other
  // index gives the origin.
  Point3 GetCorner(int index) const;

  void Extend(const Point3& point);
  void Extend(const AABB& box);
};

}  // namespace math
