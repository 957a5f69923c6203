#include "Core/Base/MathPoint3.h"

#include "Core/Base/MathScalar.h"

namespace math {

bool Point3::operator==(const Point3& other) const {
  constexpr float kTolerance = 0.0002f;
  return Abs(x - other.x) <= kTolerance && Abs(y - other.y) <= kTolerance &&
         Abs(z - other.z) <= kTolerance;
}

}  // namespace math
