#include "Game/KpUnlockTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/PlayerPosition.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"

namespace {

constexpr int kNormal = 1;
constexpr int kHardcore = 3;

class FakePosition : public PlayerPosition {
 public:
  LevelPlace getCurrentLevel() override { return current; }
  int getDifficultyMode() override { return mode; }
  LevelPlace getFurthestProgress() override { return furthest; }

  LevelPlace current;
  int mode = kNormal;
  LevelPlace furthest;
};

// The blank CRLF line is no line: the line before it keeps its towers.
const char kSheet[] =
    "0;0;10000\n"
    "0;1;20000, 20001\n"
    "\r\n"
    "0;2;-1\n"
    "0;3;\r\n"
    "1;0;30000\n";

class UnlockTableTest : public ::testing::Test {
 protected:
  void SetUp() override { root_.WriteFile("kp/unlocks.csv", kSheet); }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  testing_support::DataRoot root_;
  FakePosition position_;
};

struct TowerCase {
  const char* name;
  LevelPlace level;
  int mode;
  int tower;
  bool unlocked;
};

class TowerUnlockTest : public UnlockTableTest, public ::testing::WithParamInterface<TowerCase> {};

TEST_P(TowerUnlockTest, ALevelOpensItsTowersAndThoseOfEveryEarlierLine) {
  const TowerCase& c = GetParam();
  KpUnlockTable table(position_);
  position_.current = c.level;
  position_.mode = c.mode;
  EXPECT_EQ(table.isTowerUnlocked(c.tower), c.unlocked);
  position_.current = {9, 9};
  position_.furthest = c.level;
  EXPECT_EQ(table.isUnlockedByProgress(c.tower), c.unlocked && c.mode != kHardcore)
      << "progress opens the same towers in every mode";
}

INSTANTIATE_TEST_SUITE_P(UnlockTable, TowerUnlockTest,
                         ::testing::Values(TowerCase{"OwnTower", {0, 0}, kNormal, 10000, true},
                                           TowerCase{"LaterTower", {0, 0}, kNormal, 20000, false},
                                           TowerCase{"EarlierTower", {0, 1}, kNormal, 10000, true},
                                           TowerCase{"SecondIdOfALine", {0, 1}, kNormal, 20001, true},
                                           TowerCase{"EveryTowerFromMinusOne", {0, 2}, kNormal, 777, true},
                                           TowerCase{"MinusOneStaysOpenLater", {1, 0}, kNormal, 777, true},
                                           TowerCase{"LevelWithoutALine", {0, 4}, kNormal, 10000, false},
                                           TowerCase{"HardcoreOpensEveryTower", {0, 4}, kHardcore, 777, true}),
                         testing_support::RowName());

struct NewUnlocksCase {
  const char* name;
  LevelPlace level;
  int mode;
  std::vector<int> towers;
};

class NewUnlocksTest : public UnlockTableTest, public ::testing::WithParamInterface<NewUnlocksCase> {};

TEST_P(NewUnlocksTest, AreTheTowersOfTheLevelsOwnLine) {
  const NewUnlocksCase& c = GetParam();
  KpUnlockTable table(position_);
  position_.current = c.level;
  position_.mode = c.mode;
  EXPECT_EQ(table.getNewUnlocks(), c.towers);
}

INSTANTIATE_TEST_SUITE_P(UnlockTable, NewUnlocksTest,
                         ::testing::Values(NewUnlocksCase{"FirstLine", {0, 0}, kNormal, {10000}},
                                           NewUnlocksCase{"OnlyTheLinesOwn", {0, 1}, kNormal, {20000, 20001}},
                                           NewUnlocksCase{"EveryTower", {0, 2}, kNormal, {-1}},
                                           NewUnlocksCase{"ACrlfLineEndIsNoTower", {0, 3}, kNormal, {}},
                                           NewUnlocksCase{"LevelWithoutALine", {0, 4}, kNormal, {}},
                                           NewUnlocksCase{"FirstHardcoreLevel", {0, 0}, kHardcore, {36, 37, 38}},
                                           NewUnlocksCase{"LaterHardcoreLevel", {0, 1}, kHardcore, {}}),
                         testing_support::RowName());

TEST_F(UnlockTableTest, ALineWithoutNewTowersStillOpensTheEarlierOnes) {
  KpUnlockTable table(position_);
  position_.current = {0, 3};
  EXPECT_TRUE(table.isTowerUnlocked(20001));
}

TEST_F(UnlockTableTest, MissingCellsKeepThePreviousLinesPlace) {
  root_.WriteFile("kp/unlocks.csv", "1;4;50\n60\n");
  KpUnlockTable table(position_);
  position_.current = {60, 4};
  EXPECT_EQ(table.getNewUnlocks(), std::vector<int>{});
  EXPECT_TRUE(table.isTowerUnlocked(50));
}

TEST_F(UnlockTableTest, WithoutASheetNoTowerIsOpenOutsideHardcore) {
  root_.WriteFile("kp/unlocks.csv", "");
  KpUnlockTable table(position_);
  EXPECT_FALSE(table.isTowerUnlocked(10000));
  EXPECT_EQ(table.getNewUnlocks(), std::vector<int>{});
  position_.mode = kHardcore;
  EXPECT_TRUE(table.isTowerUnlocked(10000));
}

}  // namespace
