#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/Game/ProfileFixture.h"

namespace profile_test {
namespace {

using Names = std::vector<base::WString>;

TEST_F(ProfileTest, AFreshDocumentShowsNoNamedProfile) {
  EXPECT_EQ(Profile().getProfileNames(), Names{});
  EXPECT_EQ(Profile().getDisplayName(), u"");
  EXPECT_EQ(file::Profiles::Instance()->GetCurrentProfileName(), kDefaultProfileName);
}

TEST_F(ProfileTest, NamedProfilesComeAndGoAfterTheUnnamedOne) {
  Profile().createProfile(u"Ann");
  Profile().createProfile(u"Bob");
  EXPECT_EQ(Profile().getProfileNames(), (Names{u"Ann", u"Bob"}));
  EXPECT_EQ(Profile().getDisplayName(), u"Bob");

  Profile().deleteCurrentProfile();
  EXPECT_EQ(Profile().getProfileNames(), Names{u"Ann"});
  EXPECT_EQ(Profile().getDisplayName(), u"Ann");
  EXPECT_EQ(file::Profiles::Instance()->GetCurrentProfileName(), u"Ann");

  Profile().deleteCurrentProfile();
  EXPECT_EQ(Profile().getProfileNames(), Names{});
  EXPECT_EQ(Profile().getDisplayName(), u"");
  EXPECT_EQ(file::Profiles::Instance()->GetCurrentProfileName(), kDefaultProfileName);
}

TEST_F(ProfileTest, EachProfileKeepsItsOwnProgress) {
  Profile().createProfile(u"Ann");
  Profile().setGems(40);
  Profile().setUpgradeLevel(11, 2);
  Profile().createProfile(u"Bob");
  EXPECT_EQ(Profile().getGems(), 0);
  EXPECT_EQ(Profile().getUpgradeLevel(11), -1) << "the upgrade levels of Ann are not Bob's";
  Profile().selectProfile(u"Ann");
  EXPECT_EQ(Profile().getGems(), 40);
  EXPECT_EQ(Profile().getUpgradeLevel(11), 2);
}

TEST_F(ProfileTest, SelectingAProfileHandsItsSettingsToTheGame) {
  Profile().createProfile(u"Ann");
  Profile().setGems(7);
  Profile().setMode(kHard);
  Profile().setFullscreen(true);
  owner_.mode = kEasy;
  owner_.tutorialLoads = 0;

  Profile().selectProfile(u"Ann");
  EXPECT_EQ(owner_.walletGems, 7);
  EXPECT_EQ(owner_.mode, kHard);
  EXPECT_EQ(owner_.tutorialLoads, 1);
  EXPECT_EQ(owner_.screenSwitches, 1) << "the windowed game switches to the full screen the profile asks for";
  EXPECT_FALSE(owner_.windowed);
  EXPECT_TRUE(Profile().getFullscreen());

  Profile().selectProfile(u"Ann");
  EXPECT_EQ(owner_.screenSwitches, 1) << "the screen already is in the profile's mode";
}

TEST_F(ProfileTest, RenamingKeepsTheProfileAndSavesTheName) {
  Profile().createProfile(u"Ann");
  Profile().setGems(5);
  Profile().renameCurrentProfile(u"Anna");
  EXPECT_EQ(Profile().getProfileNames(), Names{u"Anna"});
  EXPECT_EQ(Profile().getDisplayName(), u"Anna");

  NextRun next(owner_);
  EXPECT_EQ(next.Profile().getDisplayName(), u"Anna");
  EXPECT_EQ(next.Profile().getGems(), 5);
}

TEST_F(ProfileTest, ANewProfileGetsTheCurrentSchema) {
  Profile().createProfile(u"Ann");
  Profile().save();
  const std::string saved = SavedFile();
  EXPECT_NE(saved.find("<Profile name=\"Ann\" version=\"4\">"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<levels/>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<towers/>"), std::string::npos) << saved;
}

TEST_F(ProfileTest, EverythingStoredSurvivesTheNextRun) {
  Profile().createProfile(u"Ann");
  Profile().setGems(25);
  Profile().setMode(kHard);
  Profile().storeLevelResult(1, 2, kHard, {.kills = 90, .combo = 4, .healthBonus = 30, .stars = 2});
  Profile().setUpgradeLevel(12, 1);
  Profile().addOwnedSpot(u"spot_a", 1, 2);
  Profile().setTutorialAvailable(false);
  Profile().setTutorialStepState(7, 2);
  Profile().setTutorialParam(u"dropChanceOverride", 30);
  Profile().setMusicVolume(0.25f);
  Profile().setSoundVolume(0.5f);
  Profile().setFullscreen(false);
  Profile().setEventFlag(2);
  Profile().setEpisodeVisited(1, kHard, 3);

  owner_.mode = kHard;
  NextRun next(owner_);
  PlayerProfile& reloaded = next.Profile();
  EXPECT_EQ(reloaded.getDisplayName(), u"Ann");
  EXPECT_EQ(reloaded.getGems(), 25);
  EXPECT_EQ(reloaded.getMode(), kHard);
  const LevelResult result = reloaded.getLevelResult(1, 2, kHard);
  EXPECT_EQ(result.kills, 90);
  EXPECT_EQ(result.combo, 4);
  EXPECT_EQ(result.healthBonus, 30);
  EXPECT_EQ(result.stars, 2);
  EXPECT_EQ(result.high, 120);
  EXPECT_EQ(reloaded.getLastEpisode(), 1);
  EXPECT_EQ(reloaded.getUpgradeLevel(12), 1);
  EXPECT_TRUE(reloaded.isSpotOwned(u"spot_a", 1, 2));
  EXPECT_FALSE(reloaded.isTutorialAvailable());
  EXPECT_EQ(reloaded.getTutorialStepState(7), 2);
  EXPECT_EQ(reloaded.getTutorialParam(u"dropChanceOverride"), 30);
  EXPECT_FLOAT_EQ(reloaded.getMusicVolume(), 0.25f);
  EXPECT_FLOAT_EQ(reloaded.getSoundVolume(), 0.5f);
  EXPECT_FALSE(reloaded.getFullscreen());
  EXPECT_TRUE(reloaded.getEventFlag(2));
  EXPECT_EQ(reloaded.getEpisodeVisited(1, kHard), 3);
}

TEST_F(ProfileTest, ADamagedFileIsKeptAsideAndPlayStartsOnAFreshProfile) {
  const std::string damaged = "<Profiles currentProfile=\"Ann\"><Profile name=\"Ann\"><gems amount=\"9\"/>";
  folder_.WriteFile("profiles.xml", damaged);

  EXPECT_EQ(Profile().getGems(), 0);
  EXPECT_EQ(Profile().getDisplayName(), u"");
  EXPECT_TRUE(ProfilesCorruptFlag);
  EXPECT_EQ(folder_.ReadFile("profiles.xml.corrupt"), damaged);

  Profile().createProfile(u"Bob");
  NextRun next(owner_);
  EXPECT_EQ(next.Profile().getDisplayName(), u"Bob") << "the fresh document is saved in the damaged one's place";
}

}  // namespace
}  // namespace profile_test
