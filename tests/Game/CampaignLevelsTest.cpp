#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <filesystem>
#include <set>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpPropertyBag.h"
#include "Game/KpSpot.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"

namespace {

std::vector<std::filesystem::path> CampaignLevels() {
  std::vector<std::filesystem::path> levels;
  for (const char* folder : {"kp/levels_normal", "kp/levels_hardcore"})
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / folder))
      if (file.path().extension() == ".xml") levels.push_back(file.path());
  return levels;
}

// The ids of the level's points; -1 stands for its default spawn point when
// it has one.
std::set<int> PointIds(const tinyxml2::XMLElement& map) {
  std::set<int> ids;
  const tinyxml2::XMLElement* points = map.FirstChildElement("points");
  if (!points) return ids;
  for (const auto* point = points->FirstChildElement(); point; point = point->NextSiblingElement()) {
    ids.insert(LevelInt(*point, "id", 0));
    if (KpPropertyBag(*point).getFloat("spawn") == 1.0f) ids.insert(KpWaveProto::kDefaultSpawner);
  }
  return ids;
}

class CampaignLevelsTest : public ::testing::Test {
 protected:
  ~CampaignLevelsTest() override { SingletonRegistry::Shutdown(); }
};

// Every built level has build spots and waves, and every wave starts at a
// point the level has.
TEST_F(CampaignLevelsTest, EveryLevelsSpotsAndWavesRead) {
  const std::vector<std::filesystem::path> levels = CampaignLevels();
  ASSERT_EQ(levels.size(), 14u);
  for (const auto& level : levels) {
    SCOPED_TRACE(level.string());
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile(level.string().c_str()), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* map = document.FirstChildElement("map");
    ASSERT_NE(map, nullptr);

    KpSpotList spots;
    EXPECT_GT(ReadSpots(map->FirstChildElement("spots"), spots), 0);
    for (const auto& spot : spots) {
      EXPECT_GE(spot->type, KpSpot::kPlain);
      EXPECT_LE(spot->type, KpSpot::kPremium);
      EXPECT_EQ(spot->open, spot->type == KpSpot::kPlain) << "only plain spots are free";
    }

    KpWaves waves;
    EXPECT_GT(waves.load(map->FirstChildElement("waves")), 0);
    EXPECT_GT(waves.getWaveCount(), 0);
    const std::set<int> points = PointIds(*map);
    EXPECT_EQ(waves.reportUnknownSpawnPoints([&](int id) { return points.count(id) > 0; }), 0);
  }
}

}  // namespace
