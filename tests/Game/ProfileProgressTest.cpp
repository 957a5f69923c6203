#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/Game/ProfileFixture.h"
#include "tests/Support/CaseNames.h"

namespace profile_test {
namespace {

TEST_F(ProfileTest, AStoredResultKeepsTheBestScoreAndStars) {
  Profile().storeLevelResult(0, 1, kNormal, {.kills = 150, .healthBonus = 50, .stars = 3});
  Profile().storeLevelResult(0, 1, kNormal, {.kills = 100, .combo = 6, .healthBonus = 50, .stars = 2, .gems = 0});
  const LevelResult kept = Profile().getLevelResult(0, 1, kNormal);
  EXPECT_EQ(kept.high, 200);
  EXPECT_EQ(kept.stars, 3);
  EXPECT_EQ(kept.kills, 100);
  EXPECT_EQ(kept.combo, 6);
  EXPECT_EQ(kept.healthBonus, 50);
  EXPECT_EQ(kept.mode, kNormal);

  Profile().storeLevelResult(0, 1, kNormal, {.kills = 300, .stars = 1});
  EXPECT_EQ(Profile().getLevelResult(0, 1, kNormal).high, 300);
  EXPECT_EQ(Profile().getLevelResult(0, 1, kHard).stars, 0) << "each mode keeps its own result";
}

TEST_F(ProfileTest, StoredGemsGoToThePurse) {
  Profile().setGems(3);
  Profile().storeLevelResult(1, 0, kEasy, {.stars = 1, .gems = 4});
  EXPECT_EQ(Profile().getGems(), 7);
  EXPECT_EQ(Profile().getLastEpisode(), 1);
}

TEST_F(ProfileTest, StarsAddUpOverModesPerEpisodeOrAll) {
  EXPECT_EQ(Profile().getStarCount(-1), 0);
  Profile().storeLevelResult(0, 0, kEasy, {.stars = 3});
  Profile().storeLevelResult(0, 0, kHardcore, {.stars = 2});
  Profile().storeLevelResult(1, 4, kNormal, {.stars = 1});
  EXPECT_EQ(Profile().getStarCount(0), 5);
  EXPECT_EQ(Profile().getStarCount(1), 1);
  EXPECT_EQ(Profile().getStarCount(2), 0);
  EXPECT_EQ(Profile().getStarCount(-1), 6);
}

struct OpenLevelCase {
  const char* name;
  int episode;
  int mode;
  std::set<int> starredLevels;
  int lastOpen;
};

class LastOpenLevelTest : public ProfileTest, public ::testing::WithParamInterface<OpenLevelCase> {};

TEST_P(LastOpenLevelTest, IsTheFirstLevelWithoutStars) {
  const OpenLevelCase& c = GetParam();
  for (const int level : c.starredLevels) Profile().storeLevelResult(c.episode, level, c.mode, {.stars = 1});
  EXPECT_EQ(Profile().getLastOpenLevel(c.episode, c.mode), c.lastOpen);
  EXPECT_TRUE(Profile().isLevelOpen(c.episode, c.lastOpen, c.mode));
  EXPECT_FALSE(Profile().isLevelOpen(c.episode, c.lastOpen + 1, c.mode));
}

INSTANTIATE_TEST_SUITE_P(
    Profile, LastOpenLevelTest,
    ::testing::Values(OpenLevelCase{"NothingPlayed", 0, kNormal, {}, 0},
                      OpenLevelCase{"TwoLevelsStarred", 0, kNormal, {0, 1}, 2},
                      OpenLevelCase{"AGapStopsAtTheGap", 0, kNormal, {0, 2, 3}, 1},
                      OpenLevelCase{"EveryLevelStarred", 0, kNormal, {0, 1, 2, 3, 4}, 4},
                      OpenLevelCase{"StarsOfAnotherModeDoNotOpen", 0, kEasy, {}, 0},
                      OpenLevelCase{"HardcoreHasItsOwnLevelCount", 1, kHardcore, {0, 1}, 1},
                      OpenLevelCase{"AnEpisodeWithoutARow", 5, kNormal, {}, -2}),
    testing_support::RowName());

TEST_F(ProfileTest, FurthestProgressIsTheLastOpenEpisodesLastStarredLevel) {
  EXPECT_EQ(Profile().getFurthestProgress(), (LevelPlace{0, 0})) << "nothing played";
  Profile().storeLevelResult(0, 3, kNormal, {.stars = 1});
  Profile().storeLevelResult(1, 4, kHard, {.stars = 3});
  EXPECT_EQ(Profile().getFurthestProgress(), (LevelPlace{0, 3}));

  owner_.unlocked = {0, 1};
  Profile().storeLevelResult(1, 2, kNormal, {.stars = 1});
  EXPECT_EQ(Profile().getFurthestProgress(), (LevelPlace{1, 2})) << "stars of another mode do not count";

  owner_.unlocked = {};
  EXPECT_EQ(Profile().getFurthestProgress(), (LevelPlace{0, 0}));
}

TEST_F(ProfileTest, TheFirstUpgradeLookupListsEveryUpgradeUnbought) {
  EXPECT_EQ(Profile().getUpgradeLevel(12), -1);
  const std::string saved = SavedFile();
  EXPECT_NE(saved.find("<upgrades>\n"
                       "            <upgrade id=\"13\" level=\"-1\"/>\n"
                       "            <upgrade id=\"12\" level=\"-1\"/>\n"
                       "            <upgrade id=\"11\" level=\"-1\"/>\n"),
            std::string::npos)
      << saved;
}

TEST_F(ProfileTest, AnUpgradeTheProfileNeverListedIsBoughtLikeAnyOther) {
  EXPECT_EQ(Profile().getUpgradeLevel(11), -1);
  EXPECT_EQ(Profile().getUpgradeLevel(99), -2);
  EXPECT_EQ(Profile().getUpgradeLevel(99), -1) << "asked again, nothing is bought";
  Profile().setUpgradeLevel(99, 0);
  EXPECT_EQ(Profile().getUpgradeLevel(99), 0);
  EXPECT_NE(SavedFile().find("<upgrade id=\"99\" level=\"0\"/>"), std::string::npos);
}

TEST_F(ProfileTest, InHardcoreNoUpgradeCountsYetTheShopSeesWhatIsBought) {
  Profile().setUpgradeLevel(11, 2);
  owner_.mode = kHardcore;
  EXPECT_EQ(Profile().getUpgradeLevel(11), -1);
  EXPECT_EQ(Profile().getStoredUpgradeLevel(11), 2);
  EXPECT_EQ(Profile().getStoredUpgradeLevel(12), -1);
  owner_.mode = kEasy;
  EXPECT_EQ(Profile().getUpgradeLevel(11), 2);
}

struct SpotCase {
  const char* name;
  int boughtIn;
  int askedIn;
  bool owned;
};

class OwnedSpotTest : public ProfileTest, public ::testing::WithParamInterface<SpotCase> {};

TEST_P(OwnedSpotTest, HardcoreKeepsItsOwnSpots) {
  const SpotCase& c = GetParam();
  owner_.mode = c.boughtIn;
  Profile().addOwnedSpot(u"spot_3", 0, 2);
  owner_.mode = c.askedIn;
  EXPECT_EQ(Profile().isSpotOwned(u"spot_3", 0, 2), c.owned);
  EXPECT_FALSE(Profile().isSpotOwned(u"spot_3", 0, 1)) << "another level";
  EXPECT_FALSE(Profile().isSpotOwned(u"spot_3", 1, 2)) << "another episode";
  EXPECT_FALSE(Profile().isSpotOwned(u"spot_", 0, 2)) << "another name";
}

INSTANTIATE_TEST_SUITE_P(Profile, OwnedSpotTest,
                         ::testing::Values(SpotCase{"HardInEasy", kHard, kEasy, true},
                                           SpotCase{"HardInNormal", kHard, kNormal, true},
                                           SpotCase{"HardInHard", kHard, kHard, true},
                                           SpotCase{"HardInHardcore", kHard, kHardcore, false},
                                           SpotCase{"HardcoreInHardcore", kHardcore, kHardcore, true},
                                           SpotCase{"HardcoreInEasy", kHardcore, kEasy, false}),
                         testing_support::RowName());

TEST_F(ProfileTest, NoSpotIsOwnedBeforeTheFirstPurchase) {
  EXPECT_FALSE(Profile().isSpotOwned(u"spot_3", 0, 2));
}

}  // namespace
}  // namespace profile_test
