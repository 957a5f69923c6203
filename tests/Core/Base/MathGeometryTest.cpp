#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Core/Base/MathAABB.h"
#include "Core/Base/MathPoint3.h"
#include "Core/Base/MathPoint4.h"
#include "Core/Base/MathRect.h"

namespace {

using math::AABB;
using math::Point3;

// Point3's own == allows a tolerance; these values must match to the bit.
void ExpectExactly(const Point3& actual, const Point3& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

TEST(MathPoint3Test, ComparesWithinTwoTenThousandthsPerComponent) {
  struct Case {
    float difference;
    bool equal;
  };
  const Case cases[] = {
      {0.0001f, true},
      {0.0002f, true},
      {std::nextafter(0.0002f, 1.0f), false},
      {0.001f, false},
      {-0.001f, false},
  };
  for (const Case& c : cases) {
    for (int axis = 0; axis < 3; ++axis) {
      SCOPED_TRACE(testing::Message() << "difference " << c.difference << " on axis " << axis);
      Point3 other;
      (axis == 0 ? other.x : axis == 1 ? other.y : other.z) = c.difference;
      EXPECT_EQ(Point3{} == other, c.equal);
      EXPECT_EQ(Point3{} != other, !c.equal);
    }
  }
}

TEST(MathPoint3Test, ArithmeticIsComponentwise) {
  const Point3 a{1.0f, 2.0f, 3.0f};
  const Point3 b{10.0f, 20.0f, 40.0f};
  ExpectExactly(a + b, {11.0f, 22.0f, 43.0f});
  ExpectExactly(b - a, {9.0f, 18.0f, 37.0f});
  Point3 accumulated = a;
  (accumulated += b) += b;
  ExpectExactly(accumulated, {21.0f, 42.0f, 83.0f});
}

TEST(MathPoint4Test, ProductModulatesEachChannel) {
  const math::Point4 tint{0.5f, 0.5f, 4.0f, 0.5f};
  const math::Point4 colour = math::Point4{1.0f, 0.5f, 0.25f, 0.8f} * tint;
  EXPECT_EQ(colour.r, 0.5f);
  EXPECT_EQ(colour.g, 0.25f);
  EXPECT_EQ(colour.b, 1.0f);
  EXPECT_EQ(colour.a, 0.4f);
}

TEST(MathAABBTest, CornersWalkTheBottomThenTheTop) {
  const AABB box{{0.0f, 0.0f, 0.0f}, {1.0f, 2.0f, 3.0f}};
  const Point3 expected[] = {
      {0, 0, 0}, {0, 0, 3}, {1, 0, 3}, {1, 0, 0}, {0, 2, 0}, {0, 2, 3}, {1, 2, 3}, {1, 2, 0},
  };
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(testing::Message() << "corner " << i);
    ExpectExactly(box.GetCorner(i), expected[i]);
  }
  for (int outside : {-1, 8, 100}) {
    SCOPED_TRACE(testing::Message() << "index " << outside);
    ExpectExactly(AABB{{5, 5, 5}, {6, 6, 6}}.GetCorner(outside), {0, 0, 0});
  }
}

void ExpectBox(const AABB& box, const AABB& expected) {
  ExpectExactly(box.min, expected.min);
  ExpectExactly(box.max, expected.max);
}

TEST(MathAABBTest, ExtendingByAPointGrowsEachAxisSeparately) {
  AABB box{{0, 0, 0}, {1, 1, 1}};
  box.Extend(Point3{-2, 0.5f, 4});
  ExpectBox(box, {{-2, 0, 0}, {1, 1, 4}});
  box.Extend(Point3{0.5f, 0.5f, 0.5f});
  ExpectBox(box, {{-2, 0, 0}, {1, 1, 4}});
}

TEST(MathAABBTest, ExtendingByABoxTakesTheUnion) {
  AABB box{{0, 0, 0}, {1, 1, 1}};
  box.Extend(AABB{{-1, 0.5f, 0.5f}, {0.5f, 3, 0.5f}});
  ExpectBox(box, {{-1, 0, 0}, {1, 3, 1}});
}

TEST(MathAABBTest, ExtendingByAnEmptyBoxChangesNothing) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  AABB box{{0, 0, 0}, {1, 1, 1}};
  box.Extend(AABB{{kInfinity, kInfinity, kInfinity}, {-kInfinity, -kInfinity, -kInfinity}});
  ExpectBox(box, {{0, 0, 0}, {1, 1, 1}});
}

void ExpectRect(const math::Rect& actual, const math::Rect& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.width, expected.width);
  EXPECT_FLOAT_EQ(actual.height, expected.height);
}

// Apart, overlapping and one inside the other, either way round.
TEST(MathRectTest, TheUnionIsTheSmallestRectangleHoldingBoth) {
  const math::Rect a{0, 0, 10, 5};
  ExpectRect(math::Rect::Union(a, {20, -5, 2, 2}), {0, -5, 22, 10});
  ExpectRect(math::Rect::Union({20, -5, 2, 2}, a), {0, -5, 22, 10});
  ExpectRect(math::Rect::Union(a, {5, 2, 10, 10}), {0, 0, 15, 12});
  ExpectRect(math::Rect::Union(a, {1, 1, 2, 2}), a);
  ExpectRect(math::Rect::Union(a, a), a);
}

}  // namespace
