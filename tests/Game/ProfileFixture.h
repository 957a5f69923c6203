#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/File/Profiles.h"
#include "Core/File/UserDataFileContainer.h"
#include "Game/PlayerProfile.h"
#include "Game/ProfileOwner.h"
#include "tests/Support/TempFolder.h"

namespace profile_test {

constexpr int kEasy = 0;
constexpr int kNormal = 1;
constexpr int kHard = 2;
constexpr int kHardcore = 3;

// The map as the profile sees it: two episodes of five normal and two
// hardcore levels, the first one open.
class FakeOwner : public ProfileOwner {
 public:
  int getDifficultyMode() override { return mode; }
  void setDifficultyMode(int value) override { mode = value; }
  void setWalletGems(int gems) override { walletGems = gems; }
  int getLevelCount(int episode) override { return episodes.contains(episode) ? episodes[episode].first : -1; }
  int getHardcoreLevelCount(int episode) override {
    return episodes.contains(episode) ? episodes[episode].second : -1;
  }
  int getEpisodeCount() override { return static_cast<int>(episodes.size()); }
  bool isEpisodeUnlocked(int episode) override { return unlocked.contains(episode); }
  std::vector<int> getUpgradeIds() override { return upgradeIds; }
  bool isWindowed() override { return windowed; }
  void switchScreenMode() override {
    windowed = !windowed;
    ++screenSwitches;
    profile->setFullscreen(!windowed);
  }
  void loadTutorialState() override { ++tutorialLoads; }

  int mode = kNormal;
  int walletGems = -1;
  std::map<int, std::pair<int, int>> episodes{{0, {5, 2}}, {1, {5, 2}}};
  std::set<int> unlocked{0};
  std::vector<int> upgradeIds{11, 12, 13};
  bool windowed = true;
  int screenSwitches = 0;
  int tutorialLoads = 0;
  PlayerProfile* profile = nullptr;
};

// Each test gets an empty per-user folder, the real profiles document over
// it and a profile made when first asked for.
class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProfilesCorruptFlag = false;
    file::UserDataFileContainer::Instance()->SetRootPath(folder_.Wide());
  }
  void TearDown() override {
    profile_.reset();
    SingletonRegistry::Shutdown();
  }

  // Loads the document first, so a test may write the file beforehand.
  PlayerProfile& Profile() {
    if (!profile_) {
      file::Profiles::Instance()->Load();
      profile_ = std::make_unique<PlayerProfile>(*file::Profiles::Instance(), owner_);
      owner_.profile = profile_.get();
    }
    return *profile_;
  }

  // What the next run finds: a second document loaded from the saved file.
  class NextRun {
   public:
    explicit NextRun(FakeOwner& owner) {
      profiles_.SetAlreadyRunning(true);
      profiles_.Load();
      profile_.emplace(profiles_, owner);
    }
    PlayerProfile& Profile() { return *profile_; }

   private:
    file::Profiles profiles_;
    std::optional<PlayerProfile> profile_;
  };

  std::string SavedFile() const { return folder_.ReadFile("profiles.xml"); }

  testing_support::TempFolder folder_;
  FakeOwner owner_;

 private:
  std::unique_ptr<PlayerProfile> profile_;
};

}  // namespace profile_test
