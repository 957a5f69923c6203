#include <gtest/gtest.h>

#include <string>

#include "tests/Game/ProfileFixture.h"
#include "tests/Support/CaseNames.h"

namespace profile_test {
namespace {

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(ProfileTest, VolumesStartFullAndAreWrittenWithSixDecimals) {
  EXPECT_FLOAT_EQ(Profile().getMusicVolume(), 1.0f);
  Profile().setSoundVolume(0.5f);
  EXPECT_TRUE(Holds(SavedFile(), "<music v=\"1.000000\"/>")) << SavedFile();
  EXPECT_TRUE(Holds(SavedFile(), "<sound v=\"0.500000\"/>")) << SavedFile();
}

TEST_F(ProfileTest, TheTutorialIsAvailableUntilItsElementSaysOtherwise) {
  EXPECT_TRUE(Profile().isTutorialAvailable());
  // Every level start reads a tutorial parameter: that must not switch the
  // tutorial off for a new player.
  EXPECT_EQ(Profile().getTutorialParam(u"dropChanceOverride"), 0);
  EXPECT_TRUE(Profile().isTutorialAvailable());
  Profile().setTutorialAvailable(false);
  EXPECT_FALSE(Profile().isTutorialAvailable());
}

TEST_F(ProfileTest, TutorialStepsAndParametersAreKeptPerName) {
  EXPECT_EQ(Profile().getTutorialStepState(4), 0);
  EXPECT_TRUE(Profile().isTutorialAvailable()) << "a step creates the tutorial available";
  Profile().setTutorialStepState(4, 1);
  Profile().setTutorialStepState(5, 2);
  Profile().setTutorialParam(u"dropChanceOverride", 70);
  EXPECT_EQ(Profile().getTutorialStepState(4), 1);
  EXPECT_EQ(Profile().getTutorialStepState(5), 2);
  EXPECT_EQ(Profile().getTutorialParam(u"dropChanceOverride"), 70);
  EXPECT_EQ(Profile().getTutorialParam(u"dropChance"), 0);
}

TEST_F(ProfileTest, EventFlagsAndVisitedCountsAreAttributesOfOneElement) {
  EXPECT_FALSE(Profile().getEventFlag(3));
  Profile().setEventFlag(3);
  Profile().setEpisodeVisited(1, kHardcore, 2);
  Profile().setEpisodeVisited(1, kHard, 4);
  EXPECT_TRUE(Profile().getEventFlag(3));
  EXPECT_FALSE(Profile().getEventFlag(0));
  EXPECT_EQ(Profile().getEpisodeVisited(1, kHardcore), 2);
  EXPECT_EQ(Profile().getEpisodeVisited(1, kEasy), 4) << "easy, normal and hard share their count";
  EXPECT_EQ(Profile().getEpisodeVisited(0, kEasy), 0);
  EXPECT_TRUE(Holds(SavedFile(), "<episodeVisited event3=\"1\" episode1h=\"2\" episode1n=\"4\"/>")) << SavedFile();
}

TEST_F(ProfileTest, FullScreenStartsAsTheWindowIs) {
  owner_.windowed = false;
  EXPECT_TRUE(Profile().getFullscreen());
  Profile().setFullscreen(false);
  EXPECT_FALSE(Profile().getFullscreen());
}

struct SpendCase {
  const char* name;
  int purse;
  int spent;
  bool paid;
  int left;
};

class SpendGemsTest : public ProfileTest, public ::testing::WithParamInterface<SpendCase> {};

TEST_P(SpendGemsTest, SpendsOnlyWhatThePurseHolds) {
  const SpendCase& c = GetParam();
  Profile().setGems(c.purse);
  EXPECT_EQ(Profile().spendGems(c.spent), c.paid);
  EXPECT_EQ(Profile().getGems(), c.left);
}

INSTANTIATE_TEST_SUITE_P(Profile, SpendGemsTest,
                         ::testing::Values(SpendCase{"Part", 10, 4, true, 6}, SpendCase{"All", 10, 10, true, 0},
                                           SpendCase{"MoreThanThePurse", 10, 11, false, 10},
                                           SpendCase{"Nothing", 0, 0, true, 0},
                                           SpendCase{"ANegativeAmount", 10, -5, false, 10}),
                         testing_support::RowName());

TEST_F(ProfileTest, GemsNeitherOverflowNorGoBelowZero) {
  Profile().setGems(2147483000);
  Profile().addGems(1000);
  EXPECT_EQ(Profile().getGems(), 2147483647);
  Profile().addGems(-2147483647);
  Profile().addGems(-10);
  EXPECT_EQ(Profile().getGems(), 0);
}

// A profile edited by hand or damaged on the disk: every value the game
// cannot use reads as the value of a new profile.
TEST_F(ProfileTest, ValuesTheGameCannotUseReadAsDefaults) {
  folder_.WriteFile("profiles.xml",
                    "<Profiles currentProfile=\"Ann\"><Profile name=\"Ann\" lastEpisode=\"-3\">"
                    "<gems amount=\"-50\"/><mode v=\"9\"/><music v=\"loud\"/><sound v=\"2.5\"/><fs v=\"maybe\"/>"
                    "<tutorial avail=\"true\"><step id=\"1\" state=\"x\"/><param v=\"5\"/></tutorial>"
                    "<episodeVisited episode0n=\"-4\" event1=\"false\"/>"
                    "<levels><level n=\"0\" episode=\"0\" mode=\"1\" stars=\"99999999999\"/>"
                    "<level n=\"1\" episode=\"0\" mode=\"1\" stars=\"99999999999\"/>"
                    "<level n=\"2\" episode=\"0\" mode=\"1\" stars=\"-2\"/><level/></levels>"
                    "<upgrades><upgrade id=\"11\" level=\"-7\"/><upgrade level=\"3\"/></upgrades>"
                    "<owned><spot episode=\"0\" level=\"0\" mode=\"1\"/></owned></Profile></Profiles>");
  PlayerProfile& profile = Profile();
  EXPECT_EQ(profile.getLastEpisode(), 0);
  EXPECT_EQ(profile.getGems(), 0);
  EXPECT_EQ(profile.getMode(), 0);
  EXPECT_FLOAT_EQ(profile.getMusicVolume(), 0.0f);
  EXPECT_FLOAT_EQ(profile.getSoundVolume(), 1.0f);
  EXPECT_FALSE(profile.getFullscreen());
  EXPECT_TRUE(profile.isTutorialAvailable());
  EXPECT_EQ(profile.getTutorialStepState(1), 0);
  EXPECT_EQ(profile.getTutorialParam(u""), 0) << "a parameter without a name is nobody's";
  EXPECT_EQ(profile.getEpisodeVisited(0, kNormal), 0);
  EXPECT_FALSE(profile.getEventFlag(1));
  EXPECT_EQ(profile.getStarCount(-1), 2147483647);
  EXPECT_EQ(profile.getLevelResult(0, 2, kNormal).stars, 0);
  EXPECT_EQ(profile.getLastOpenLevel(0, kNormal), 2);
  EXPECT_EQ(profile.getUpgradeLevel(11), -1);
  EXPECT_EQ(profile.getUpgradeLevel(0), 3) << "an upgrade without an id is upgrade 0";
  EXPECT_FALSE(profile.isSpotOwned(u"", 0, 0)) << "a spot without a name is nobody's";
}

}  // namespace
}  // namespace profile_test
