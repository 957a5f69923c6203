#include "Game/PathFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/RouteMap.h"
#include "tests/Game/RouteTestMaps.h"
#include "tests/Support/CaseNames.h"

namespace {

using route_test::Goal;
using route_test::Link;
using route_test::LoggingTest;
using route_test::Point;
using route_test::Spawn;

struct RouteCase {
  const char* name;
  std::string points;
  std::string links;
  int start;
  int goal;
  std::vector<int> expected;
};

// A diamond 1 - {2, 3} - 4 whose two ways are equally long.
const std::string kDiamond = Point(1, 0, 0) + Point(2, 100, 100) + Point(3, 100, -100) + Point(4, 200, 0);
const std::string kDiamondLinks = Link(1, 2, 0, 0) + Link(1, 3, 0, 0) + Link(2, 4, 0, 0) + Link(3, 4, 0, 0);

const RouteCase kRouteCases[] = {
    {"TieTakesTheEarlierPoint", kDiamond, kDiamondLinks, 1, 4, {1, 2, 4}},
    {"TieTakesTheEarlierPointWhateverTheLinkOrder", kDiamond,
     Link(3, 4, 0, 0) + Link(2, 4, 0, 0) + Link(1, 3, 0, 0) + Link(1, 2, 0, 0), 1, 4, {1, 2, 4}},
    {"StrictlyShorterWayWins", Point(1, 0, 0) + Point(2, 100, 100) + Point(3, 100, -50) + Point(4, 200, 0),
     kDiamondLinks, 1, 4, {1, 3, 4}},
    {"LinksWorkBothWays", kDiamond, Link(2, 1, 0, 0) + Link(4, 2, 0, 0), 1, 4, {1, 2, 4}},
    {"SelfAndDuplicateLinks", Point(1, 0, 0) + Point(2, 10, 0) + Point(3, 20, 0),
     Link(1, 1, 0, 0) + Link(1, 2, 0, 0) + Link(2, 1, 0, 0) + Link(2, 2, 0, 0) + Link(2, 3, 0, 0) + Link(2, 3, 0, 0),
     1, 3, {1, 2, 3}},
    {"StartIsGoal", kDiamond, kDiamondLinks, 3, 3, {3}},
    {"LinkToAMissingPointIsIgnored", Point(1, 0, 0) + Point(2, 10, 0), Link(1, 9, 0, 0) + Link(1, 2, 0, 0), 1, 2,
     {1, 2}},
    {"DuplicateIdsUseTheFirstPoint", Point(1, 0, 0) + Point(2, 10, 0) + Point(2, 5000, 0) + Point(3, 20, 0),
     Link(1, 2, 0, 0) + Link(2, 3, 0, 0), 1, 3, {1, 2, 3}},
    {"UnreachableGoal", kDiamond + Point(5, 0, 0), kDiamondLinks, 1, 5, {}},
    {"NoLinks", kDiamond, "", 1, 4, {}},
    {"BeyondTheSearchRangeIsUnreachable", Point(1, 0, 0) + Point(2, 3e7f, 0), Link(1, 2, 0, 0), 1, 2, {}},
};

class RouteCases : public LoggingTest, public testing::WithParamInterface<RouteCase> {};

TEST_P(RouteCases, FindTheShortestWay) {
  const RouteCase& row = GetParam();
  RouteMap map;
  route_test::LoadMap(map, row.points, row.links);
  const std::vector<int> route = map.findRoute(*map.findPoint(row.start), *map.findPoint(row.goal));
  EXPECT_EQ(route, row.expected);
  EXPECT_EQ(Logged(u"No route from point"), row.expected.empty());
}

INSTANTIATE_TEST_SUITE_P(All, RouteCases, testing::ValuesIn(kRouteCases), testing_support::RowName());

// Ten thousand points in a line, every one linked to the next, and the goal
// once beside the line and once at its far end.
TEST_F(LoggingTest, TenThousandPointsGiveAClearAnswer) {
  constexpr int kPoints = 10000;
  std::string points;
  std::string links;
  for (int id = 1; id <= kPoints; ++id) {
    points += Point(id, static_cast<float>(id), 0);
    if (id > 1) links += Link(id - 1, id, 0, 0);
  }
  RouteMap map;
  route_test::LoadMap(map, points + Point(kPoints + 1, 0, 50), links);
  const KpPoint& start = *map.findPoint(1);

  const std::vector<int> route = map.findRoute(start, *map.findPoint(kPoints));
  ASSERT_EQ(route.size(), static_cast<std::size_t>(kPoints));
  EXPECT_EQ(route.front(), 1);
  EXPECT_EQ(route.back(), kPoints);

  EXPECT_TRUE(map.findRoute(start, *map.findPoint(kPoints + 1)).empty());
  EXPECT_TRUE(Logged(u"No route from point 1 to point 10001"));
}

TEST(RouteMapTest, SpawnAndGoalPointsNeedExactlyOne) {
  RouteMap map;
  route_test::LoadMap(map,
                      Point(1, 0, 0, Spawn()) + Point(2, 0, 0, "<p name='spawn' value='1.5'/>") +
                          Point(3, 0, 0, "<p name='spawn' value='2'/>") + Point(4, 0, 0, Goal()) +
                          Point(5, 0, 0, Spawn() + Goal()) + Point(6, 0, 0, "<p name='goal' value='0.5'/>"),
                      "");
  std::vector<int> spawns;
  for (const KpPoint* point : map.spawnPoints()) spawns.push_back(point->id);
  EXPECT_EQ(spawns, (std::vector<int>{1, 5}));
  EXPECT_EQ(map.findSpawnPoint()->id, 1);
  EXPECT_EQ(map.findGoalPoint()->id, 4) << "enemies and lane routes head for the first goal";
}

TEST(RouteMapTest, ReadsPointsAndLinksScaledInFileOrder) {
  tinyxml2::XMLDocument document;
  ASSERT_EQ(document.Parse("<map><points><a id='3' x='10.5' y='20'/><b x='1,5' y='junk'/></points>"
                           "<links><l sid='3' eid='0' anchor_x='4' anchor_y='-2'/><l/></links></map>"),
            tinyxml2::XML_SUCCESS);
  RouteMap map;
  map.load(*document.RootElement(), 2.0f);
  ASSERT_EQ(map.points().size(), 2u);
  EXPECT_EQ(map.points()[0]->id, 3);
  EXPECT_FLOAT_EQ(map.points()[0]->x, 21.0f);
  EXPECT_FLOAT_EQ(map.points()[0]->y, 40.0f);
  EXPECT_EQ(map.points()[1]->id, 0);
  EXPECT_FLOAT_EQ(map.points()[1]->x, 2.0f) << "the number stops at the comma";
  EXPECT_FLOAT_EQ(map.points()[1]->y, 0.0f);
  ASSERT_EQ(map.links().size(), 2u);
  EXPECT_EQ(map.links()[0]->startId, 3);
  EXPECT_EQ(map.links()[0]->endId, 0);
  EXPECT_FLOAT_EQ(map.links()[0]->anchorX, 8.0f);
  EXPECT_FLOAT_EQ(map.links()[0]->anchorY, -4.0f);
  EXPECT_EQ(map.findLink(*map.points()[1], *map.points()[0]), map.links()[0]) << "either way round";
  EXPECT_FLOAT_EQ(map.linkLength(nullptr), 0.0f);
}

}  // namespace
