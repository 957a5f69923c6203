#include "Game/KpSetupTable.h"

#include <gtest/gtest.h>

#include <string>

#include "Core/Base/SingletonRegistry.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"

namespace {

// The rows of episodes -1 to 4 as "episode=normal,hardcore,stars", the rows
// the table does not have left out.
std::string RowsOf(const KpSetupTable& table) {
  std::string rows;
  for (int episode = -1; episode <= 4; ++episode) {
    if (table.getLevelCount(episode) == -1) continue;
    if (!rows.empty()) rows += ' ';
    rows += std::to_string(episode) + '=' + std::to_string(table.getLevelCount(episode)) + ',' +
            std::to_string(table.getHardcoreLevelCount(episode)) + ',' +
            std::to_string(table.getStarsToUnlock(episode));
  }
  return rows;
}

class SetupTableTest : public ::testing::Test {
 protected:
  void TearDown() override { SingletonRegistry::Shutdown(); }

  KpSetupTable Load(const std::string& sheet) {
    root_.WriteFile("kp/setup_sheet.csv", sheet);
    KpSetupTable table;
    table.load();
    return table;
  }

  testing_support::DataRoot root_;
};

struct SheetCase {
  const char* name;
  const char* sheet;
  const char* rows;
};

class SetupSheetTest : public SetupTableTest, public ::testing::WithParamInterface<SheetCase> {};

TEST_P(SetupSheetTest, KeepsTheLinesOfFiveCells) {
  EXPECT_EQ(RowsOf(Load(GetParam().sheet)), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    SetupTable, SetupSheetTest,
    ::testing::Values(
        SheetCase{"SpacesAroundTheSeparators", "1 ; 12 ; 3 ; 40 ; 0", "1=12,3,40"},
        SheetCase{"FourOrSixCellsAreSkipped", "0;5;2;0\n1;5;2;9;0;0\n2;4;1;3;0", "2=4,1,3"},
        SheetCase{"ACommentIsNoEpisode", "# episode, normal levels, hardcore levels, stars to open, unused\n0;5;2;0;0",
                  "0=5,2,0"},
        SheetCase{"AHeaderOfFiveTextCellsIsEpisodeZero", "episode;normal;hardcore;stars;unused", "0=0,0,0"},
        SheetCase{"ALaterLineReplacesTheHeader", "episode;normal;hardcore;stars;unused\n0;5;2;0;0", "0=5,2,0"},
        SheetCase{"EpisodeMinusOneIsNotStored", "-1;5;2;0;0", ""},
        SheetCase{"CrlfLineEnds", "0;5;2;0;0\r\n1;6;3;9;0\r\n", "0=5,2,0 1=6,3,9"},
        SheetCase{"TabsAroundCellsAndBlankLines", "\n\t0\t;5;2;0;0\n\n", "0=5,2,0"},
        SheetCase{"LevelCountsNoCampaignHasAreSkipped", "0;5;-2;0;0\n1;2000000000;2;0;0\n2;1000;0;0;0", "2=1000,0,0"},
        SheetCase{"AnEmptySheet", "", ""}),
    testing_support::RowName());

TEST_F(SetupTableTest, TheTotalStopsAtTheFirstMissingEpisode) {
  const KpSetupTable table = Load("0;5;2;0;0\n1;4;0;9;0\n3;7;7;20;0\n");
  EXPECT_EQ(table.getEpisodeCount(), 3);
  EXPECT_EQ(table.getTotalLevelCount(), 11);
  EXPECT_EQ(Load("0;0;2;0;0\n1;4;1;9;0\n").getTotalLevelCount(), 5) << "an episode without normal levels";
}

TEST_F(SetupTableTest, WithoutASheetNothingIsKnown) {
  KpSetupTable table;
  table.load();
  EXPECT_EQ(table.getEpisodeCount(), 0);
  EXPECT_EQ(table.getLevelCount(0), -1);
  EXPECT_EQ(table.getHardcoreLevelCount(0), -1);
  EXPECT_EQ(table.getStarsToUnlock(0), -1);
  EXPECT_EQ(table.getTotalLevelCount(), 0);
  EXPECT_FALSE(table.isEpisodeUnlocked(0, 100));
}

TEST_F(SetupTableTest, LoadingAgainOnlyAddsAndReplacesRows) {
  KpSetupTable table = Load("0;5;2;0;0\n1;5;2;9;0");
  root_.WriteFile("kp/setup_sheet.csv", "1;6;2;9;0");
  table.load();
  EXPECT_EQ(RowsOf(table), "0=5,2,0 1=6,2,9");
}

TEST_F(SetupTableTest, AnEpisodeOpensWithItsStarsWhenItHasLevels) {
  const KpSetupTable table = Load("0;5;2;0;0\n1;5;2;9;0\n2;0;2;0;0");
  EXPECT_TRUE(table.isEpisodeUnlocked(0, 0));
  EXPECT_FALSE(table.isEpisodeUnlocked(1, 8));
  EXPECT_TRUE(table.isEpisodeUnlocked(1, 9));
  EXPECT_FALSE(table.isEpisodeUnlocked(2, 50)) << "no normal levels";
  EXPECT_FALSE(table.isEpisodeUnlocked(3, 50)) << "no row";
}

}  // namespace
