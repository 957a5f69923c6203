#pragma once

namespace math {

// A colour (r, g, b, a) or a four-float shader constant.
struct Point4 {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;

  // Componentwise, which is how a tint modulates a colour.
  Point4 operator*(const Point4& other) const {
    return {r * other.r, g * other.g, b * other.b, a * other.a};
  }
};

}  // namespace math
