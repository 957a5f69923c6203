// Every campaign level played through to its end: the build order the level
// was designed with wins it, and without towers it is lost.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Game/KpMap.h"
#include "Game/KpWallet.h"
#include "tests/Support/BuildOrder.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/WorldScenario.h"

namespace testing_support {

void PrintTo(const CampaignBuildOrder& order, std::ostream* out) { *out << order.name; }

}  // namespace testing_support

namespace {

using testing_support::BuildOrderPlayer;
using testing_support::CampaignBuildOrder;

// Longer than any level lasts at double speed.
constexpr float kMaxFrameSeconds = 900.0f;

class CampaignPlayTest : public testing_support::WorldScenario,
                         public ::testing::WithParamInterface<CampaignBuildOrder> {
 protected:
  void Load() {
    const CampaignBuildOrder& order = GetParam();
    ASSERT_TRUE(level().loadCampaignLevel(order.mode, order.episode, order.level));
    // Double speed halves the frames; the world's own step stays small.
    level().map().gameSpeed = 2.0f;
  }

  std::string Outcome() {
    const KpWallet& wallet = *level().map().wallet;
    return "life " + std::to_string(level().life()) + ", money " + std::to_string(level().money()) + ", leaks " +
           std::to_string(wallet.leakedCount) + ", wave groups over " + std::to_string(level().finishedGroups()) +
           ", game time " + std::to_string(level().map().gameTime);
  }
};

TEST_P(CampaignPlayTest, IsWonByItsBuildOrder) {
  Load();
  BuildOrderPlayer player(level(), GetParam().steps);
  const bool ended = level().runUntil(
      [&] {
        player.play();
        return level().ended();
      },
      kMaxFrameSeconds);
  EXPECT_FALSE(player.refusedStep()) << "the game refused step " << *player.refusedStep();
  ASSERT_TRUE(ended) << Outcome();
  EXPECT_TRUE(level().won()) << Outcome() << ", steps taken " << player.stepsTaken();
}

TEST_P(CampaignPlayTest, IsLostWithoutTowers) {
  Load();
  ASSERT_TRUE(level().runToEnd(kMaxFrameSeconds)) << Outcome();
  EXPECT_TRUE(level().lost()) << Outcome();
}

INSTANTIATE_TEST_SUITE_P(Levels, CampaignPlayTest, ::testing::ValuesIn(testing_support::CampaignBuildOrders()),
                         testing_support::RowName());

}  // namespace
