#include "Game/CurveGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "Game/KpRouteBuilder.h"
#include "Game/RouteWalk.h"
#include "tests/Game/RouteTestMaps.h"
#include "tests/Support/CaseNames.h"

namespace {

using route_test::Link;
using route_test::Point;

constexpr QuadCurve kStraight{{0, 0}, {50, 0}, {100, 0}};
constexpr QuadCurve kArch{{0, 0}, {50, -100}, {100, 0}};

// A straight route of n points one unit apart along x.
struct StraightRoute {
  explicit StraightRoute(int n) {
    for (int i = 0; i < n; ++i) {
      owned.push_back(std::make_unique<RoutePoint>());
      owned.back()->x = static_cast<float>(i);
      route.push_back(owned.back().get());
    }
  }
  OwnedRoutePoints owned;
  LaneRoute route;
};

// A map of one link from (0, 0) to (100, 0), its anchor where asked.
float OnStraightLink(const std::function<float(const RouteMap&, const KpLink&)>& measure, float anchorX = 50,
                     float endX = 100) {
  RouteMap map;
  route_test::LoadMap(map, Point(1, 0, 0) + Point(2, endX, 0), Link(1, 2, anchorX, 0));
  return measure(map, *map.links()[0]);
}

struct WorkedValue {
  const char* name;
  std::function<float()> actual;
  float expected;
  float tolerance;
};

class CurveWorkedValues : public testing::TestWithParam<WorkedValue> {};

TEST_P(CurveWorkedValues, Match) { EXPECT_NEAR(GetParam().actual(), GetParam().expected, GetParam().tolerance); }

const WorkedValue kWorkedValues[] = {
    {"ArchTopX", [] { CurvePoint p; QuadBezierPoint(p, kArch, 0.5f); return p.x; }, 50, 1e-4f},
    {"ArchTopY", [] { CurvePoint p; QuadBezierPoint(p, kArch, 0.5f); return p.y; }, -50, 1e-4f},
    {"StraightNormalX", [] { CurvePoint n; QuadBezierNormal(n, kStraight, 0.3f); return n.x; }, 0, 1e-6f},
    {"StraightNormalY", [] { CurvePoint n; QuadBezierNormal(n, kStraight, 0.3f); return n.y; }, 1, 1e-6f},
    {"StraightNormalAtEndKeepsSide", [] { CurvePoint n; QuadBezierNormal(n, kStraight, 1.0f); return n.y; }, 1, 1e-6f},
    {"StraightShiftedLength", [] { return OffsetCurveLength(kStraight, 20); }, 99.995f, 0.01f},
    {"WalkOfZeroStaysPut", [] { return OffsetCurveParamAtDistance(kArch, 0.25f, 0, 0); }, 0.25f, 0},
    {"WalkGoesPastTheEnd", [] { return OffsetCurveParamAtDistance(kStraight, 0.99f, 5, 0); }, 1.04f, 2e-3f},
    {"RotateZero", [] { return RotateAngleMinus90(0); }, 270, 0},
    {"RotateNinety", [] { return RotateAngleMinus90(90); }, 0, 0},
    {"RotateHundredEighty", [] { return RotateAngleMinus90(180); }, 90, 0},
    {"RotateMinusTen", [] { return RotateAngleMinus90(-10); }, 260, 0},
    {"MinFloatTie", [] { return MinFloat(-0.0f, 0.0f) == 0 && std::signbit(MinFloat(-0.0f, 0.0f)) ? 1.0f : 0.0f; }, 1, 0},
    {"MinFloatSmaller", [] { return MinFloat(3, 2); }, 2, 0},
    {"ClampNegative", [] { return ClampNonNegative(-2); }, 0, 0},
    {"ClampKeepsNegativeZero", [] { return std::signbit(ClampNonNegative(-0.0f)) ? 1.0f : 0.0f; }, 1, 0},
    {"Distance", [] { return Distance2D(1, 2, 4, 6); }, 5, 0},
    {"LaneOfTopEntry", [] { return static_cast<float>(LaneKeyOfEntry(0)); }, -20, 0},
    {"LaneOfMiddleEntry", [] { return static_cast<float>(LaneKeyOfEntry(-65)); }, 0, 0},
    {"LaneOfBottomEntry", [] { return static_cast<float>(LaneKeyOfEntry(-130)); }, 20, 0},
    {"LaneOfHalfEntry", [] { return static_cast<float>(LaneKeyOfEntry(-32.5f)); }, -10, 0},
    {"LaneTruncatesTowardZero", [] { return static_cast<float>(LaneKeyOfEntry(10)); }, -23, 0},
    {"LaneOfNotANumber", [] { return static_cast<float>(LaneKeyOfEntry(std::nanf(""))); }, 0, 0},
    {"RouteStart", [] { StraightRoute r(21); return RoutePointAt(r.route, 0).x; }, 0, 0},
    {"RouteMiddle", [] { StraightRoute r(21); return RoutePointAt(r.route, 0.5f).x; }, 10, 1e-5f},
    {"RouteEnd", [] { StraightRoute r(21); return RoutePointAt(r.route, 1).x; }, 20, 0},
    {"RouteBlends", [] { StraightRoute r(21); return RoutePointAt(r.route, 0.525f).x; }, 10.5f, 1e-4f},
    {"RouteBeyondEnd", [] { StraightRoute r(21); return RoutePointAt(r.route, 7).x; }, 20, 0},
    {"RouteNotANumber", [] { StraightRoute r(21); return RoutePointAt(r.route, std::nanf("")).x; }, 0, 0},
    {"AdvanceBySegments", [] { StraightRoute r(21); return AdvanceOnRoute(r.route, 0.1f, 4); }, 0.3f, 1e-6f},
    {"AdvanceBelowZero", [] { StraightRoute r(21); return AdvanceOnRoute(r.route, 0.1f, -50); }, 0, 0},
    {"AdvanceOnOnePoint", [] { StraightRoute r(1); return AdvanceOnRoute(r.route, 0, 1); }, 1, 0},
    {"LinkLengthLeavesLastTenth", [] { return OnStraightLink([](auto& m, auto& l) { return m.linkLength(&l); }); },
     90, 1e-3f},
    {"LinkOfNoLength", [] { return OnStraightLink([](auto& m, auto& l) { return m.linkLength(&l); }, 0, 0); }, 0, 0},
    {"LinkNormalY", [] { return OnStraightLink([](auto& m, auto& l) { return m.linkNormalAt(l, 0.5f).y; }); }, 1, 0},
    {"CoincidentLinkNormal",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.linkNormalAt(l, 0.5f).y; }, 0, 0); }, 0, 0},
    {"PointOnLinkWithoutDistance",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.pointOnLink(l, 0.3f, 0, 0); }); }, 0.3f, 0},
    {"PointOnLinkStepsByArc",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.pointOnLink(l, 0, 25, 0); }); }, 0.25f, 2e-3f},
    {"PointOnLinkStopsAtEnd",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.pointOnLink(l, 0.5f, 500, 0); }); }, 1, 0},
    {"PointOnLinkOfNoLength",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.pointOnLink(l, 0, 25, 0); }, 0, 0); }, 1, 0},
    {"PointOnLinkFromNotANumber",
     [] { return OnStraightLink([](auto& m, auto& l) { return m.pointOnLink(l, std::nanf(""), 25, 0); }); }, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(All, CurveWorkedValues, testing::ValuesIn(kWorkedValues), testing_support::RowName());

TEST(CurveSamplesTest, AStraightLinkGivesTwentyEvenPointsOnItsLane) {
  for (const float offset : {20.0f, -20.0f}) {
    OwnedRoutePoints samples;
    BuildOffsetCurveSamples(kStraight, offset, 20, samples);
    ASSERT_EQ(samples.size(), 20u) << offset;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      SCOPED_TRACE(i);
      // Each record lands on the first measuring step that reaches it, and
      // the float sums of the parameter drift a little.
      EXPECT_NEAR(samples[i]->x, 5.0f * static_cast<float>(i), 0.1f);
      EXPECT_FLOAT_EQ(samples[i]->y, offset);
      EXPECT_FLOAT_EQ(samples[i]->normalY, 1.0f);
    }
  }
}

TEST(CurveSamplesTest, TheNormalKeepsItsSideToTheEndOfACurve) {
  CurvePoint before;
  CurvePoint atEnd;
  QuadBezierNormal(before, kArch, 0.95f);
  QuadBezierNormal(atEnd, kArch, 0.999f);
  EXPECT_GT(before.x * atEnd.x + before.y * atEnd.y, 0.9f);
}

TEST(CurveSamplesTest, RingPointsLieBetweenTheRadii) {
  for (int i = 0; i < 50; ++i) {
    CurvePoint p;
    RandomPointInRing(p, 10, 20, 30, 5);
    const float distance = Distance2D(10, 20, p.x, p.y);
    EXPECT_GE(distance, 5 - 1e-3f);
    EXPECT_LE(distance, 30 + 1e-3f);
  }
}

// Whatever the points and the count, sampling ends with the start first and
// a bounded number of records.
TEST(CurveSamplesTest, DegenerateCurvesAndCountsEnd) {
  constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
  constexpr float kHuge = 3e38f;
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    const char* name;
    QuadCurve curve;
  } curves[] = {
      {"coincident", {{7, 7}, {7, 7}, {7, 7}}},
      {"control beyond equal ends", {{0, 0}, {40, 0}, {0, 0}}},
      {"not a number", {{kNan, 0}, {1, 1}, {2, 2}}},
      {"huge", {{-kHuge, -kHuge}, {0, 0}, {kHuge, kHuge}}},
      {"infinite", {{0, 0}, {kInf, 0}, {10, 0}}},
      {"straight", kStraight},
  };
  for (const auto& row : curves) {
    for (const int count : {20, 1, 0, -5, std::numeric_limits<int>::max()}) {
      for (const float offset : {0.0f, 20.0f, kNan}) {
        SCOPED_TRACE(testing::Message() << row.name << ", count " << count << ", offset " << offset);
        OwnedRoutePoints samples;
        BuildOffsetCurveSamples(row.curve, offset, count, samples);
        ASSERT_GE(samples.size(), 1u);
        EXPECT_LE(samples.size(), 10002u);
      }
    }
  }
}

}  // namespace
