#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Game/KpRouteBuilder.h"
#include "Game/RouteMap.h"
#include "Game/XmlNumbers.h"

namespace {

// The lane keys of a level file's waves, read as the wave loader will.
class LevelWaveLanes : public WaveLanes {
 public:
  explicit LevelWaveLanes(const tinyxml2::XMLElement* waves) {
    if (!waves) return;
    for (const auto* wave = waves->FirstChildElement("wave"); wave; wave = wave->NextSiblingElement("wave")) {
      std::vector<int>& keys = lanes_[IntAttribute(*wave, "spawn")];
      for (const auto* entry = wave->FirstChildElement("e"); entry; entry = entry->NextSiblingElement("e"))
        keys.push_back(LaneKeyOfEntry(FloatAttribute(*entry, "y")));
    }
  }
  std::vector<int> laneKeysFrom(int spawnPointId) const override {
    const auto found = lanes_.find(spawnPointId);
    return found == lanes_.end() ? std::vector<int>{} : found->second;
  }

 private:
  std::map<int, std::vector<int>> lanes_;
};

std::vector<std::filesystem::path> CampaignLevels() {
  std::vector<std::filesystem::path> levels;
  for (const char* folder : {"kp/levels_normal", "kp/levels_hardcore"})
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / folder))
      if (file.path().extension() == ".xml") levels.push_back(file.path());
  return levels;
}

// Every spawn point of every built level reaches the goal over the level's
// links, and every lane its waves walk there gets a route of many points.
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
    const KpPoint* goal = map.routeGoalPoint();
    ASSERT_NE(goal, nullptr);
    const std::vector<const KpPoint*> spawns = map.spawnPoints();
    ASSERT_FALSE(spawns.empty());

    const LevelWaveLanes waves(mapElement->FirstChildElement("waves"));
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
