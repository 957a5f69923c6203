#pragma once

namespace math {

// A 2D affine matrix for column vectors: x' = m00*x + m01*y + m02 and
// y' = m10*x + m11*y + m12. Zero until assigned.
struct Matrix3 {
  float m00 = 0.0f, m01 = 0.0f, m02 = 0.0f;
  float m10 = 0.0f, m11 = 0.0f, m12 = 0.0f;
  float m20 = 0.0f, m21 = 0.0f, m22 = 0.0f;

  static Matrix3 Identity() { return {.m00 = 1.0f, .m11 = 1.0f, .m22 = 1.0f}; }

  // this = a * b, so b acts on a point first. Either operand may be this.
  void Multiply(const Matrix3& a, const Matrix3& b);
};

}  // namespace math
