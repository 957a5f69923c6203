#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Game/KpRouteBuilder.h"
#include "Game/RouteMap.h"
#include "tests/Game/LevelWaveLanes.h"

namespace {

std::vector<std::filesystem::path> CampaignLevels() {
  std::vector<std::filesystem::path> levels;
  for (const char* folder : {"kp/levels_normal", "kp/levels_hardcore"})
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / folder))
      if (file.path().extension() == ".xml") levels.push_back(file.path());
  return levels;
}

// Every wave of every built level starts at a spawn point, every spawn point
// reaches the goal over the level's links, and every lane its waves walk
// there gets a route of many points.
TEST(CampaignRoutesTest, EverySpawnPointReachesTheGoal) {
  const std::vector<std::filesystem::path> levels = CampaignLevels();
  ASSERT_FALSE(levels.empty());
  for (const auto& level : levels) {
    SCOPED_TRACE(level.string());
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile(level.string().c_str()), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* mapElement = document.FirstChildElement("map");
    ASSERT_NE(mapElement, nullptr);
    RouteMap map;
    map.load(*mapElement, 1.0f);
    const KpPoint* goal = map.findGoalPoint();
    ASSERT_NE(goal, nullptr);
    const std::vector<const KpPoint*> spawns = map.spawnPoints();
    ASSERT_FALSE(spawns.empty());

    const route_test::LevelWaveLanes waves(mapElement->FirstChildElement("waves"));
    for (const int id : waves.spawnPointIds()) {
      const KpPoint* point = map.findPoint(id);
      EXPECT_TRUE(point && std::find(spawns.begin(), spawns.end(), point) != spawns.end())
          << "waves start at point " << id << ", which is no spawn point";
    }
    KpRouteBuilder builder;
    builder.build(map, waves, u"no such cache");
    for (const KpPoint* spawn : spawns) {
      SCOPED_TRACE(spawn->id);
      const std::vector<int> route = map.findRoute(*spawn, *goal);
      ASSERT_GE(route.size(), 2u);
      EXPECT_EQ(route.front(), spawn->id);
      EXPECT_EQ(route.back(), goal->id);
      for (std::size_t i = 1; i < route.size(); ++i) {
        const KpLink* link = map.findLink(*map.findPoint(route[i - 1]), *map.findPoint(route[i]));
        ASSERT_NE(link, nullptr);
        for (const int lane : waves.laneKeysFrom(spawn->id)) {
          LaneRoute points;
          builder.getRoute(link, lane, points);
          EXPECT_GE(points.size(), 10u) << "lane " << lane;
        }
      }
    }
  }
}

}  // namespace
