// The rules the campaign's data must keep between its files, checked over the
// data the build puts into the data root. Each failure names what breaks.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpResources.h"
#include "Game/KpSetupTable.h"
#include "Game/KpUnlockTable.h"
#include "Game/LocalStrings.h"
#include "Game/PlayerPosition.h"
#include "Game/PrototypeSheets.h"
#include "Game/UpgradeList.h"
#include "tests/Support/GameDataRoot.h"

namespace {

base::WString Wide(const std::string& text) { return base::ToWide(text, base::kEncodingUtf8); }

// A player standing on one level in a normal mode.
class StandingOn : public PlayerPosition {
 public:
  LevelPlace getCurrentLevel() override { return place; }
  int getDifficultyMode() override { return 1; }
  LevelPlace getFurthestProgress() override { return place; }

  LevelPlace place;
};

class CampaignConsistencyTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    data_ = std::make_unique<testing_support::InGameData>();
    KpResources::Instance()->loadSharedLayouts();
  }
  static void TearDownTestSuite() { data_.reset(); }

  static void ExpectString(const std::string& key) {
    EXPECT_TRUE(LocalStrings::Instance()->contains(Wide(key))) << "no string \"" << key << "\"";
  }

 private:
  static inline std::unique_ptr<testing_support::InGameData> data_;
};

TEST_F(CampaignConsistencyTest, EverySheetRowDrawsASpriteOfTheSharedLayouts) {
  KpProtoLibrary library;
  LoadPrototypeSheets(library, {});
  auto expectSprite = [](const KpProto& proto) {
    if (proto.psd.empty()) return;
    EXPECT_NE(KpResources::Instance()->findSprite(u"kp/" + Wide(proto.psd)), nullptr)
        << "prototype " << proto.id << " draws \"" << proto.psd << "\", which no shared layout holds";
  };
  for (const auto& proto : library.protos()) {
    expectSprite(*proto);
    for (const auto& tier : proto->children.list) expectSprite(*tier);
  }
}

TEST_F(CampaignConsistencyTest, EveryTowerTierIsOfferedAfterTheTiersItRequires) {
  KpProtoLibrary library;
  LoadPrototypeSheets(library, {});
  for (const auto& tower : library.protos()) {
    if (tower->type != 1) continue;
    for (const auto& tier : tower->children.list) {
      // A tier is offered to a tower whose current tier id is at most its
      // "require": following the required ids down must reach the base.
      int required = tier->require;
      for (int steps = 0; required != 0 && steps <= static_cast<int>(tower->children.list.size()); ++steps) {
        const KpProto* below = nullptr;
        for (const auto& other : tower->children.list)
          if (other->levelId == required) below = other.get();
        if (!below) break;
        required = below->require;
      }
      EXPECT_EQ(required, 0) << "tier " << tier->id << " of tower " << tower->id << " does not lead to the base";
    }
  }
}

TEST_F(CampaignConsistencyTest, EveryUnlockedTowerHasItsAnnouncement) {
  StandingOn player;
  KpUnlockTable unlocks(player);
  KpSetupTable setup;
  setup.load();
  ASSERT_GT(setup.getEpisodeCount(), 0);
  int announced = 0;
  for (int episode = 0; episode < setup.getEpisodeCount(); ++episode) {
    for (int level = 0; level < setup.getLevelCount(episode); ++level) {
      player.place = {episode, level};
      for (const int id : unlocks.getNewUnlocks()) {
        ExpectString("unlock_" + std::to_string(id));
        ++announced;
      }
    }
  }
  EXPECT_GT(announced, 0);
}

TEST_F(CampaignConsistencyTest, EveryUpgradeHasItsNameStepsAndIcon) {
  UpgradeList upgrades;
  upgrades.load(u"kp/upgrades.xml");
  ASSERT_FALSE(upgrades.upgrades().empty());
  for (const auto& upgrade : upgrades.upgrades()) {
    const std::string prefix = "upgrade_" + std::to_string(upgrade->id);
    ExpectString(prefix + "_name");
    for (std::size_t step = 0; step < upgrade->steps.size(); ++step) ExpectString(prefix + "_step" + std::to_string(step));
    ExpectString(prefix + "_complete");
    EXPECT_FALSE(upgrade->icon.empty()) << prefix << " has no icon";
  }
}

}  // namespace
