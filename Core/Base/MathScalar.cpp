#include "Core/Base/MathScalar.h"

namespace math {

bool MoveTowards(float& value, float step, float target) {
  if (value == target) return true;
  if (step > Abs(value - target)) {
    value = target;
    return true;
  }
  value += value > target ? -step : step;
  return false;
}

}  // namespace math
