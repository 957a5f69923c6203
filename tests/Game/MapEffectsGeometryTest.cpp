// Where the map's drawn effects lie: the emitters along a tower's beam and
// the road decals along a link.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "Game/KpParticle.h"
#include "Game/RoadDecals.h"
#include "tests/Game/RouteTestMaps.h"
#include "tests/Support/CaseNames.h"

namespace {

struct BeamCase {
  const char* name;
  float length;
  std::vector<float> distances;
};

void PrintTo(const BeamCase& c, std::ostream* out) { *out << c.name; }

class BeamPlacementTest : public ::testing::TestWithParam<BeamCase> {};

TEST_P(BeamPlacementTest, EmittersStandOneSpacingApartAndTheLastASpacingShortOfTheUnit) {
  const BeamCase& c = GetParam();
  KpBeamParticle beam(10.0f, 20.0f, nullptr, "t_line");
  beam.endX = 10.0f + c.length * 0.6f;
  beam.endY = 20.0f + c.length * 0.8f;
  std::vector<float> distances;
  for (std::size_t i = 0; i < c.distances.size(); ++i) distances.push_back(std::round(beam.emitterDistance(i)));
  EXPECT_EQ(distances, c.distances);
}

INSTANTIATE_TEST_SUITE_P(Beams, BeamPlacementTest,
                         ::testing::Values(BeamCase{"FourEmittersOver95", 95.0f, {0.0f, 30.0f, 60.0f, 65.0f}},
                                           BeamCase{"ExactSpacings", 90.0f, {0.0f, 30.0f, 60.0f}},
                                           BeamCase{"ShorterThanASpacingStaysAtTheStart", 20.0f, {0.0f}},
                                           BeamCase{"EmittersLeftOverWhileShrinking", 40.0f, {0.0f, 10.0f, 10.0f}}),
                         testing_support::RowName());

class RoadDecalsTest : public route_test::LoggingTest {};

TEST_F(RoadDecalsTest, ALinkGetsADecalAtItsStartAndEvery25UnitsButNoneForcedOnItsEnd) {
  RouteMap map;
  route_test::LoadMap(map,
                      route_test::Point(1, 100, 200) + route_test::Point(2, 160, 200) + route_test::Point(3, 160, 250),
                      route_test::Link(1, 2, 130, 200) + route_test::Link(2, 3, 160, 225));
  ASSERT_EQ(map.links().size(), 2u);
  const std::vector<CurvePoint> straight = LinkDecalPoints(map, *map.links()[0]);
  ASSERT_EQ(straight.size(), 3u);
  for (std::size_t i = 0; i < straight.size(); ++i) {
    EXPECT_NEAR(straight[i].x, 100.0f + 25.0f * static_cast<float>(i), 0.5f) << i;
    EXPECT_NEAR(straight[i].y, 200.0f, 0.01f) << i;
  }
  EXPECT_EQ(LinkDecalPoints(map, *map.links()[1]).size(), 2u) << "50 units: at 0 and 25";
}

}  // namespace
