#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "Core/Base/MathMatrix3.h"
#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathPoint3.h"
#include "Core/Base/MathTransform.h"
#include "Core/Base/MathTransform2D.h"

namespace {

using math::Matrix3;
using math::Matrix4;
using math::Point3;
using math::Transform;
using math::Transform2D;

constexpr float kPi = std::numbers::pi_v<float>;

using Vector2 = Transform2D::Vector2;

Vector2 Map(const Matrix3& m, Vector2 p) {
  return {m.m00 * p.x + m.m01 * p.y + m.m02, m.m10 * p.x + m.m11 * p.y + m.m12};
}

// The way sprite drawing maps a vertex when the transform has neither a
// matrix nor a rotation.
Vector2 MapByComponents(const Transform2D& t, Vector2 p) {
  return {(p.x + t.GetTranslation().x) * t.GetScale().x + t.GetPostTranslation().x,
          (p.y + t.GetTranslation().y) * t.GetScale().y + t.GetPostTranslation().y};
}

struct Transform2DCase {
  std::string operations;
  std::function<void(Transform2D&)> apply;
  Vector2 point;
  Vector2 expected;
  bool matrixMode;
};

TEST(MathTransform2DTest, AppliesOperationsInCallOrder) {
  const Transform2DCase cases[] = {
      {"translate, rotate", [](Transform2D& t) { t.Translate(10, 0); t.Rotate(kPi / 2); },
       {1, 0}, {0, -11}, false},
      {"rotate, translate", [](Transform2D& t) { t.Rotate(kPi / 2); t.Translate(10, 0); },
       {1, 0}, {10, -1}, false},
      {"rotations add up", [](Transform2D& t) { t.RotateDegrees(45); t.Rotate(kPi / 4); },
       {1, 0}, {0, -1}, false},
      {"scale, translate", [](Transform2D& t) { t.Scale(2, 3); t.Translate(1, 1); },
       {1, 1}, {3, 4}, false},
      {"translate, scale", [](Transform2D& t) { t.Translate(1, 1); t.Scale(2, 3); },
       {1, 1}, {4, 6}, true},
      {"mirror in x", [](Transform2D& t) { t.Scale(-1, 1); }, {2, 3}, {-2, 3}, false},
      {"halve, then mirror to exactly -1", [](Transform2D& t) { t.Scale(0.5f, 1); t.Scale(-2, 1); },
       {2, 3}, {-2, 3}, false},
      {"mirror in y", [](Transform2D& t) { t.Scale(1, -1); }, {2, 3}, {2, -3}, true},
      {"mirror in x twice", [](Transform2D& t) { t.Scale(-1, 1); t.Scale(-1, 1); },
       {2, 3}, {2, 3}, true},
      {"rotate, scale", [](Transform2D& t) { t.Rotate(kPi / 2); t.Scale(2, 3); },
       {1, 0}, {0, -3}, true},
      {"scale, rotate", [](Transform2D& t) { t.Scale(2, 3); t.Rotate(kPi / 2); },
       {1, 0}, {0, -2}, true},
      // A later scale or rotation must act on the post-translation as well.
      {"scale, translate, scale",
       [](Transform2D& t) { t.Scale(2, 2); t.Translate(5, 0); t.Scale(2, 2); },
       {0, 0}, {10, 0}, true},
      {"rotate, translate, rotate",
       [](Transform2D& t) { t.Rotate(kPi / 2); t.Translate(5, 0); t.Rotate(kPi / 2); },
       {0, 0}, {0, -5}, true},
      {"reset out of matrix mode, rotate",
       [](Transform2D& t) { t.Scale(2, 2); t.Rotate(1); t.Reset(); t.Rotate(kPi / 2); },
       {1, 0}, {0, -1}, false},
  };
  for (const Transform2DCase& c : cases) {
    SCOPED_TRACE(c.operations);
    Transform2D transform;
    c.apply(transform);
    EXPECT_EQ(transform.IsMatrixMode(), c.matrixMode);
    const Vector2 mapped = Map(transform.GetMatrix(), c.point);
    EXPECT_NEAR(mapped.x, c.expected.x, 1e-5f);
    EXPECT_NEAR(mapped.y, c.expected.y, 1e-5f);
  }
}

struct Transform3DCase {
  std::string operations;
  std::function<void(Transform&)> apply;
  bool matrixMode;
};

TEST(MathTransformTest, SwitchesToMatrixModeOnlyWhenTheComponentsCannotFollow) {
  const Transform3DCase cases[] = {
      {"translate, scale, translate",
       [](Transform& t) { t.Translate(1, 2, 3); t.Scale(2, 3, 4); t.Translate(5, 6, 7); }, false},
      {"translate, rotate, translate",
       [](Transform& t) { t.Translate(1, 2, 3); t.Rotate(0.1f, 0.2f, 0.3f); t.Translate(5, 6, 7); },
       false},
      {"scale twice", [](Transform& t) { t.Scale(2, 3, 4); t.Scale(0.5f, 2, 1); }, false},
      {"rotate twice", [](Transform& t) { t.Rotate(0, 0, 1); t.Rotate(0, 0, 1); }, true},
      {"rotate, scale", [](Transform& t) { t.Rotate(0, 0, 1); t.Scale(2, 2, 2); }, true},
      {"scale, rotate", [](Transform& t) { t.Scale(2, 2, 2); t.Rotate(0, 0, 1); }, true},
      {"negative scale", [](Transform& t) { t.Scale(1, 1, -1); }, true},
      {"scale, translate, scale",
       [](Transform& t) { t.Scale(2, 2, 2); t.Translate(1, 0, 0); t.Scale(2, 2, 2); }, true},
      {"rotate twice, clear, rotate",
       [](Transform& t) { t.Rotate(0, 0, 1); t.Rotate(0, 0, 1); t.Clear(); t.Rotate(0, 0, 1); },
       false},
      {"scale, clear, rotate", [](Transform& t) { t.Scale(2, 2, 2); t.Clear(); t.Rotate(0, 0, 1); },
       false},
  };
  for (const Transform3DCase& c : cases) {
    SCOPED_TRACE(c.operations);
    Transform transform;
    c.apply(transform);
    EXPECT_EQ(transform.IsMatrixMode(), c.matrixMode);
  }
}

TEST(MathTransformTest, LazyTranslateScaleTranslate) {
  Transform transform;
  transform.Translate(1, 2, 3);
  transform.Scale(2, 3, 4);
  transform.Translate(10, 20, 30);
  Point3 point{1, 1, 1};
  transform.GetMatrix().TransformPoint(point);
  EXPECT_EQ(point, (Point3{14, 29, 46}));
}

// Property tests: whatever path a transform takes (lazy components, a switch
// to matrix mode part-way, a matrix built and then extended), its matrix must
// equal the product of one matrix per operation.

float RelativeTolerance(const float* elements, int count) {
  float largest = 0.0f;
  for (int i = 0; i < count; ++i) largest = std::max(largest, std::fabs(elements[i]));
  return 1e-5f * (1.0f + largest);
}

float Uniform(std::mt19937& random, float low, float high) {
  return std::uniform_real_distribution<float>(low, high)(random);
}

// Factors away from zero so that the products stay well conditioned; a third
// of them negative, to walk the mirror rules.
float ScaleFactor(std::mt19937& random) {
  const float magnitude = Uniform(random, 0.5f, 2.0f);
  return Uniform(random, 0, 1) < 0.3f ? -magnitude : magnitude;
}

Matrix3 Rotation2D(float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return {.m00 = c, .m01 = s, .m10 = -s, .m11 = c, .m22 = 1};
}

TEST(MathTransform2DTest, MatrixEqualsTheProductOfItsOperations) {
  std::mt19937 random(20240611);
  for (int sample = 0; sample < 2000; ++sample) {
    Transform2D transform;
    Matrix3 expected = Matrix3::Identity();
    std::string log;
    const int operations = std::uniform_int_distribution<int>(1, 8)(random);
    for (int i = 0; i < operations; ++i) {
      // A new operation acts after the ones before: its matrix goes in front.
      Matrix3 step = Matrix3::Identity();
      switch (std::uniform_int_distribution<int>(0, 6)(random)) {
        case 0: {
          const float dx = Uniform(random, -10, 10), dy = Uniform(random, -10, 10);
          transform.Translate(dx, dy);
          step.m02 = dx;
          step.m12 = dy;
          log += "T";
          break;
        }
        case 1: {
          const float sx = ScaleFactor(random), sy = ScaleFactor(random);
          transform.Scale(sx, sy);
          step = {.m00 = sx, .m11 = sy, .m22 = 1};
          log += "S";
          break;
        }
        case 2:
          transform.Scale(-1, 1);
          step.m00 = -1;
          log += "M";
          break;
        case 3: {
          const float radians = Uniform(random, -kPi, kPi);
          transform.Rotate(radians);
          step = Rotation2D(radians);
          log += "R";
          break;
        }
        case 4: {
          const float degrees = Uniform(random, -180, 180);
          transform.RotateDegrees(degrees);
          step = Rotation2D(degrees * kPi / 180);
          log += "D";
          break;
        }
        case 5:
          transform.GetMatrix();
          log += "G";
          break;
        case 6:
          if (Uniform(random, 0, 1) < 0.5f) break;
          transform.Reset();
          expected = Matrix3::Identity();
          log += "0";
          break;
      }
      expected.Multiply(step, expected);
    }
    SCOPED_TRACE("sample " + std::to_string(sample) + ": " + log);

    const Matrix3& actual = transform.GetMatrix();
    const float a[] = {actual.m00, actual.m01, actual.m02, actual.m10, actual.m11, actual.m12};
    const float e[] = {expected.m00, expected.m01, expected.m02,
                       expected.m10, expected.m11, expected.m12};
    const float tolerance = RelativeTolerance(e, 6);
    for (int i = 0; i < 6; ++i) ASSERT_NEAR(a[i], e[i], tolerance) << "element " << i;

    if (!transform.IsMatrixMode() && !transform.HasRotation()) {
      const Vector2 point{Uniform(random, -10, 10), Uniform(random, -10, 10)};
      const Vector2 byComponents = MapByComponents(transform, point);
      const Vector2 byMatrix = Map(expected, point);
      ASSERT_NEAR(byComponents.x, byMatrix.x, tolerance);
      ASSERT_NEAR(byComponents.y, byMatrix.y, tolerance);
    }
  }
}

struct Sample3D {
  Transform transform;
  Matrix4 expected;
  std::string log;
};

Sample3D RandomTransform(std::mt19937& random, bool mayCombine) {
  Sample3D sample;
  const int operations = std::uniform_int_distribution<int>(1, 6)(random);
  for (int i = 0; i < operations; ++i) {
    Matrix4 step;
    switch (std::uniform_int_distribution<int>(0, mayCombine ? 6 : 4)(random)) {
      case 0: {
        const Point3 offset{Uniform(random, -10, 10), Uniform(random, -10, 10),
                            Uniform(random, -10, 10)};
        sample.transform.Translate(offset.x, offset.y, offset.z);
        step.SetTranslation(offset);
        sample.log += "T";
        break;
      }
      case 1: {
        const Point3 factors{ScaleFactor(random), ScaleFactor(random), ScaleFactor(random)};
        sample.transform.Scale(factors.x, factors.y, factors.z);
        step.SetScale(factors);
        sample.log += "S";
        break;
      }
      case 2: {
        const Point3 angles{Uniform(random, -kPi, kPi), Uniform(random, -kPi, kPi),
                            Uniform(random, -kPi, kPi)};
        sample.transform.Rotate(angles.x, angles.y, angles.z);
        step.SetRotation(angles);
        sample.log += "R";
        break;
      }
      case 3:
        sample.transform.GetMatrix();
        sample.log += "G";
        break;
      case 4:
        if (Uniform(random, 0, 1) < 0.7f) break;
        sample.transform.Clear();
        sample.expected = Matrix4();
        sample.log += "0";
        break;
      case 5: {
        const Sample3D other = RandomTransform(random, false);
        sample.transform.Combine(other.transform);
        step = other.expected;
        sample.log += "C(" + other.log + ")";
        break;
      }
      case 6:
        step = sample.expected;
        sample.transform.Combine(sample.transform);
        sample.log += "C(self)";
        break;
    }
    sample.expected *= step;
  }
  return sample;
}

TEST(MathTransformTest, MatrixEqualsTheProductOfItsOperations) {
  std::mt19937 random(20240612);
  for (int i = 0; i < 2000; ++i) {
    Sample3D sample = RandomTransform(random, true);
    SCOPED_TRACE("sample " + std::to_string(i) + ": " + sample.log);
    const Matrix4& actual = sample.transform.GetMatrix();
    const float tolerance = RelativeTolerance(sample.expected.m.data(), 16);
    for (int e = 0; e < 16; ++e) {
      ASSERT_NEAR(actual.m[e], sample.expected.m[e], tolerance) << "element " << e;
    }
  }
}

}  // namespace
