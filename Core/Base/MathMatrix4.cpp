#include "Core/Base/MathMatrix4.h"

#include <cmath>

namespace math {

Matrix4::Matrix4(bool identity) : m{} {
  if (identity) m[0] = m[5] = m[10] = m[15] = 1.0f;
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
  Matrix4 product(false);
  product.Multiply(*this, other);
  return product;
}

Matrix4& Matrix4::operator*=(const Matrix4& other) {
  Multiply(*this, other);
  return *this;
}

void Matrix4::Multiply(const Matrix4& a, const Matrix4& b) {
  std::array<float, 16> product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[row * 4 + k] * b.m[k * 4 + column];
      product[row * 4 + column] = sum;
    }
  }
  m = product;
}

void Matrix4::Rotate(const Point3& angles) {
  Matrix4 rotation;
  rotation.SetRotation(angles);
  for (int row = 0; row < 4; ++row) {
    const float x = m[row * 4], y = m[row * 4 + 1], z = m[row * 4 + 2];
    for (int column = 0; column < 3; ++column) {
      m[row * 4 + column] =
          x * rotation.m[column] + y * rotation.m[4 + column] + z * rotation.m[8 + column];
    }
  }
}

void Matrix4::Scale(const Point3& factors) {
  for (int row = 0; row < 4; ++row) {
    m[row * 4] *= factors.x;
    m[row * 4 + 1] *= factors.y;
    m[row * 4 + 2] *= factors.z;
  }
}

void Matrix4::Translate(const Point3& offset) {
  m[12] += offset.x;
  m[13] += offset.y;
  m[14] += offset.z;
}

void Matrix4::SetRotation(const Point3& angles) {
  const double cx = std::cos(double{angles.x}), sx = std::sin(double{angles.x});
  const double cy = std::cos(double{angles.y}), sy = std::sin(double{angles.y});
  const double cz = std::cos(double{angles.z}), sz = std::sin(double{angles.z});
  m[0] = static_cast<float>(sz * sx * sy + cz * cy);
  m[1] = static_cast<float>(sz * cx);
  m[2] = static_cast<float>(sz * sx * cy - cz * sy);
  m[4] = static_cast<float>(cz * sx * sy - sz * cy);
  m[5] = static_cast<float>(cz * cx);
  m[6] = static_cast<float>(sz * sy + cz * sx * cy);
  m[8] = static_cast<float>(cx * sy);
  m[9] = static_cast<float>(-sx);
  m[10] = static_cast<float>(cx * cy);
}

void Matrix4::SetScale(const Point3& factors) {
  m[0] = factors.x;
  m[5] = factors.y;
  m[10] = factors.z;
}

void Matrix4::SetTranslation(const Point3& offset) {
  m[12] = offset.x;
  m[13] = offset.y;
  m[14] = offset.z;
}

void Matrix4::TransformPoint(Point3& point) const { TransformPoint(point, point); }

void Matrix4::TransformPoint(const Point3& source, Point3& destination) const {
  const float x = source.x, y = source.y, z = source.z;
  destination = {x * m[0] + y * m[4] + z * m[8] + m[12],
                 x * m[1] + y * m[5] + z * m[9] + m[13],
                 x * m[2] + y * m[6] + z * m[10] + m[14]};
}

}  // namespace math
