#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <filesystem>
#include <vector>

#include "Game/ConvertCsvToXml.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSpot.h"
#include "Game/KpWaves.h"
#include "Game/LevelFile.h"
#include "Game/RouteMap.h"
#include "tests/Support/GameDataRoot.h"

namespace {

std::vector<std::filesystem::path> CampaignLevels() {
  std::vector<std::filesystem::path> levels;
  for (const char* folder : {"kp/levels_normal", "kp/levels_hardcore"})
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / folder))
      if (file.path().extension() == ".xml") levels.push_back(file.path().lexically_relative(LF_GAME_DATA_ROOT));
  return levels;
}

// The game's built data as the running game finds it; the library holds the
// units sheet only.
class CampaignLevelsTest : public ::testing::Test {
 protected:
  CampaignLevelsTest() {
    tinyxml2::XMLElement* data = sheets_.NewElement("data");
    sheets_.InsertEndChild(data);
    tinyxml2::XMLElement* units = sheets_.NewElement("units");
    ConvertCsvToXml(u"kp/units_sheet.csv", *units);
    data->InsertEndChild(units);
    units_.load(*data, {});
  }
  // A unit of the sheet whose tier the entry's upgrade names exactly, not
  // through the fallback to the last tier.
  bool NamesAUnitTier(const KpWaveEntry& entry) const {
    const KpProto* unit = units_.find(entry.unitId);
    if (!unit || entry.upgrade < 1) return false;
    if (entry.upgrade == 1) return true;
    for (const auto& tier : unit->children.list)
      if (tier->levelId == entry.upgrade - 1) return true;
    return false;
  }

  testing_support::InGameData data_;
  tinyxml2::XMLDocument sheets_;
  KpProtoLibrary units_;
};

// Every built level has build spots and waves; every wave starts at a point
// of the level and sends units of the units sheet.
TEST_F(CampaignLevelsTest, EveryLevelsSpotsAndWavesRead) {
  const std::vector<std::filesystem::path> levels = CampaignLevels();
  ASSERT_EQ(levels.size(), 14u);
  ASSERT_FALSE(units_.protos().empty());
  for (const auto& level : levels) {
    SCOPED_TRACE(level.string());
    LevelFile file;
    ASSERT_TRUE(file.load(level.u16string()));
    EXPECT_GT(file.budget(), 0);
    EXPECT_TRUE(file.levelImageText());

    KpSpotList spots;
    EXPECT_GT(ReadSpots(file.child("spots"), spots), 0);
    for (const auto& spot : spots) {
      EXPECT_GE(spot->type, KpSpot::kPlain);
      EXPECT_LE(spot->type, KpSpot::kPremium);
      EXPECT_EQ(spot->open, spot->type == KpSpot::kPlain) << "only plain spots are free";
    }

    RouteMap points;
    points.load(*file.map(), 1.0f);
    KpWaves waves;
    EXPECT_GT(waves.load(file.child("waves")), 0);
    EXPECT_GT(waves.getWaveCount(), 0);
    EXPECT_EQ(waves.reportUnknownSpawnPoints([&](int id) {
      return id == KpWaveProto::kDefaultSpawner ? points.findSpawnPoint() != nullptr : points.findPoint(id) != nullptr;
    }),
              0);
    for (const KpWaveProto* wave : waves.waves())
      for (const KpWaveEntry* entry : wave->entries)
        EXPECT_TRUE(NamesAUnitTier(*entry)) << "unit " << entry->unitId << " upgrade " << entry->upgrade;
  }
}

}  // namespace
