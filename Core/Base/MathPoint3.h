#pragma once

namespace math {

struct Point3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  // Equal within 0.0002 per component, so positions that went through
  // different float round-offs still compare equal.
  bool operator==(const Point3& other) const;
  bool operator!=(const Point3& other) const { return !(*this == other); }

  Point3 operator+(const Point3& other) const { return {x + other.x, y + other.y, z + other.z}; }
  Point3 operator-(const Point3& other) const { return {x - other.x, y - other.y, z - other.z}; }
  Point3& operator+=(const Point3& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
  }
};

}  // namespace math
