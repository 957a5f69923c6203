#pragma once

namespace math {

// A rectangle of floats: its top-left corner and its size.
struct Rect {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;

  // The smallest rectangle holding both.
  static Rect Union(const Rect& a, const Rect& b);
};

}  // namespace math
