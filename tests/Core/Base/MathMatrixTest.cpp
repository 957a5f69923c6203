#include <gtest/gtest.h>

#include <numbers>

#include "Core/Base/MathMatrix3.h"
#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathPoint3.h"

namespace {

using math::Matrix3;
using math::Matrix4;
using math::Point3;

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;

void ExpectMatrix3(const Matrix3& actual, const Matrix3& expected) {
  const float a[] = {actual.m00, actual.m01, actual.m02, actual.m10, actual.m11,
                     actual.m12, actual.m20, actual.m21, actual.m22};
  const float e[] = {expected.m00, expected.m01, expected.m02, expected.m10, expected.m11,
                     expected.m12, expected.m20, expected.m21, expected.m22};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(a[i], e[i]) << "element " << i;
}

void ExpectMatrix4(const Matrix4& actual, const Matrix4& expected, float tolerance = 0.0f) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
  }
}

Matrix4 MatrixOf(const float (&elements)[16]) {
  Matrix4 matrix(false);
  for (int i = 0; i < 16; ++i) matrix.m[i] = elements[i];
  return matrix;
}

// Neither symmetric nor affine, so any transposed index or dropped term shows.
const Matrix4 kCounting = MatrixOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
const Matrix4 kSparse = MatrixOf({1, 0, 2, 0, 0, 1, 0, 3, 4, 0, 1, 0, 0, 5, 0, 1});

Matrix4 RotationOf(const Point3& angles) {
  Matrix4 rotation;
  rotation.SetRotation(angles);
  return rotation;
}

TEST(MathMatrix3Test, MultiplyIsTheRowByColumnProduct) {
  const Matrix3 a{1, 2, 3, 4, 5, 6, 7, 8, 10};
  const Matrix3 b{2, 0, 1, 1, 3, 0, 0, 1, 4};
  const Matrix3 expected{4, 9, 13, 13, 21, 28, 22, 34, 47};
  Matrix3 product;
  product.Multiply(a, b);
  ExpectMatrix3(product, expected);

  Matrix3 left = a;
  left.Multiply(left, b);
  ExpectMatrix3(left, expected);
  Matrix3 right = b;
  right.Multiply(a, right);
  ExpectMatrix3(right, expected);
}

TEST(MathMatrix4Test, StartsAsIdentityOrZero) {
  ExpectMatrix4(Matrix4(), MatrixOf({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  ExpectMatrix4(Matrix4(false), MatrixOf({}));
}

TEST(MathMatrix4Test, ProductIsTheFullRowByColumnProduct) {
  ExpectMatrix4(kCounting * kSparse,
                MatrixOf({13, 22, 5, 10, 33, 46, 17, 26, 53, 70, 29, 42, 73, 94, 41, 58}));

  const Matrix4 squared = MatrixOf(
      {90, 100, 110, 120, 202, 228, 254, 280, 314, 356, 398, 440, 426, 484, 542, 600});
  Matrix4 inPlace = kCounting;
  inPlace *= inPlace;
  ExpectMatrix4(inPlace, squared);
  Matrix4 multiplied = kSparse;
  multiplied.Multiply(kCounting, kCounting);
  ExpectMatrix4(multiplied, squared);
}

TEST(MathMatrix4Test, SetRotationWritesOnlyTheRotationBlock) {
  Matrix4 matrix = kCounting;
  matrix.SetRotation({0, 0, 0});
  ExpectMatrix4(matrix, MatrixOf({1, 0, 0, 4, 0, 1, 0, 8, 0, 0, 1, 12, 13, 14, 15, 16}));

  matrix.SetRotation({kQuarterTurn, 0, 0});
  EXPECT_EQ(matrix.m[9], -1.0f);
}

TEST(MathMatrix4Test, QuarterTurnsAboutEachAxis) {
  struct Case {
    Point3 angles;
    Point3 point;
    Point3 expected;
  };
  const Case cases[] = {
      {{0, 0, kQuarterTurn}, {1, 0, 0}, {0, 1, 0}},
      {{kQuarterTurn, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, kQuarterTurn, 0}, {1, 0, 0}, {0, 0, -1}},
  };
  for (const Case& c : cases) {
    Point3 point = c.point;
    RotationOf(c.angles).TransformPoint(point);
    EXPECT_EQ(point, c.expected) << "angles " << c.angles.x << ", " << c.angles.y << ", "
                                 << c.angles.z;
  }
}

TEST(MathMatrix4Test, EulerAnglesRollThenPitchThenYaw) {
  const Point3 angles{0.3f, -1.1f, 2.0f};
  const Matrix4 expected =
      RotationOf({0, 0, angles.z}) * RotationOf({angles.x, 0, 0}) * RotationOf({0, angles.y, 0});
  ExpectMatrix4(RotationOf(angles), expected, 1e-6f);
}

TEST(MathMatrix4Test, RotateAndScaleMultiplyOnTheRight) {
  const Point3 angles{0.7f, 0.2f, -0.4f};
  Matrix4 rotated = kCounting;
  rotated.Rotate(angles);
  ExpectMatrix4(rotated, kCounting * RotationOf(angles), 1e-5f);

  Matrix4 scaled = kCounting;
  scaled.Scale({2, -3, 0.5f});
  Matrix4 scale;
  scale.SetScale({2, -3, 0.5f});
  ExpectMatrix4(scaled, kCounting * scale);
}

TEST(MathMatrix4Test, TranslateAndSettersTouchOnlyTheirElements) {
  Matrix4 translated = kCounting;
  translated.Translate({1, 2, 3});
  ExpectMatrix4(translated, MatrixOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 16}));

  Matrix4 set = kCounting;
  set.SetScale({-1, -2, -3});
  set.SetTranslation({-4, -5, -6});
  ExpectMatrix4(set, MatrixOf({-1, 2, 3, 4, 5, -2, 7, 8, 9, 10, -3, 12, -4, -5, -6, 16}));
}

TEST(MathMatrix4Test, TransformPointIgnoresTheFourthColumn) {
  const Point3 source{1, 2, 3};
  const Point3 expected{1 * 1 + 2 * 5 + 3 * 9 + 13, 1 * 2 + 2 * 6 + 3 * 10 + 14,
                        1 * 3 + 2 * 7 + 3 * 11 + 15};
  Point3 destination;
  kCounting.TransformPoint(source, destination);
  EXPECT_EQ(destination, expected);
  Point3 inPlace = source;
  kCounting.TransformPoint(inPlace);
  EXPECT_EQ(inPlace, expected);
}

}  // namespace
