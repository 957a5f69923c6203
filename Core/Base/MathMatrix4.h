#pragma once

#include <array>

#include "Core/Base/MathPoint3.h"

namespace math {

// Row-major 4x4 matrix in Direct3D's row-vector convention: p' = p * M, the
// translation sits in elements 12-14 and A * B applies A first.
class Matrix4 {
 public:
  Matrix4() : Matrix4(true) {}
  // Without the flag the matrix starts at zero, for callers that overwrite
  // every element; zero rather than unset so that copying it is always sound.
  explicit Matrix4(bool identity);

  Matrix4 operator*(const Matrix4& other) const;
  Matrix4& operator*=(const Matrix4& other);
  // this = a * b over all sixteen elements. Either operand may be this.
  void Multiply(const Matrix4& a, const Matrix4& b);

  // M = M * R with R the rotation of SetRotation: the translation row turns
  // with the rest and the fourth column stays.
  void Rotate(const Point3& angles);
  // M = M * S.
  void Scale(const Point3& factors);
  // Adds to the translation row; the same as M = M * T for an affine M.
  void Translate(const Point3& offset);

  // Writes only the upper-left 3x3 block: roll about z first, then pitch
  // about x, then yaw about y (radians).
  void SetRotation(const Point3& angles);
  // Write only the diagonal (0, 5, 10) or the translation row (12, 13, 14).
  void SetScale(const Point3& factors);
  void SetTranslation(const Point3& offset);

  // No division by w: every matrix the engine transforms points with is affine.
  void TransformPoint(Point3& point) const;
  void TransformPoint(const Point3& source, Point3& destination) const;

  std::array<float, 16> m;
};

}  // namespace math
