#include <gtest/gtest.h>

#include <vector>

#include "Game/KpSetupTable.h"
#include "Game/KpUnlockTable.h"
#include "Game/PlayerPosition.h"
#include "tests/Support/GameDataRoot.h"

namespace {

// The campaign's own sheets, as the game finds them in its data root.
class CampaignSheetsTest : public ::testing::Test, public PlayerPosition {
 protected:
  LevelPlace getCurrentLevel() override { return current_; }
  int getDifficultyMode() override { return 1; }
  LevelPlace getFurthestProgress() override { return current_; }

  LevelPlace current_;

 private:
  testing_support::InGameData data_;
};

TEST_F(CampaignSheetsTest, TheSetupSheetListsTwoEpisodes) {
  KpSetupTable table;
  table.load();
  EXPECT_EQ(table.getEpisodeCount(), 2);
  EXPECT_EQ(table.getLevelCount(0), 5);
  EXPECT_EQ(table.getHardcoreLevelCount(0), 2);
  EXPECT_EQ(table.getStarsToUnlock(0), 0);
  EXPECT_EQ(table.getLevelCount(1), 5);
  EXPECT_EQ(table.getHardcoreLevelCount(1), 2);
  EXPECT_EQ(table.getStarsToUnlock(1), 9);
  EXPECT_EQ(table.getTotalLevelCount(), 14);
}

TEST_F(CampaignSheetsTest, EveryLevelOfTheCampaignOpensTowersOnlyWidening) {
  KpSetupTable setup;
  setup.load();
  KpUnlockTable unlocks(*this);
  std::vector<int> open;
  for (int episode = 0; episode < setup.getEpisodeCount(); ++episode) {
    for (int level = 0; level < setup.getLevelCount(episode); ++level) {
      current_ = {episode, level};
      const std::vector<int> added = unlocks.getNewUnlocks();
      EXPECT_FALSE(added.empty()) << "episode " << episode << " level " << level;
      open.insert(open.end(), added.begin(), added.end());
      for (const int tower : open) EXPECT_TRUE(unlocks.isTowerUnlocked(tower)) << tower;
    }
  }
  current_ = {0, 0};
  EXPECT_FALSE(unlocks.isTowerUnlocked(20000)) << "a tower of the second level";
}

}  // namespace
