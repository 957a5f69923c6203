// The scenario fixture itself: levels load, the clock follows the game speed
// and the player is offered what the tower menu offers; and the spot purchase
// the fixture's player uses.

#include <gtest/gtest.h>

#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpWaves.h"
#include "tests/Support/WorldScenario.h"

namespace {

using testing_support::LevelRun;
using testing_support::WorldScenario;

constexpr const char* kSmallLevel = R"(<map><li>kp/data/maps/e1_l1/background.png</li><budget>250</budget>
<points><point id="1" x="-40" y="240"><p name="spawn" value="1"/></point>
<point id="2" x="1064" y="240"><p name="goal" value="1"/></point></points>
<links><link sid="1" eid="2" anchor_x="500" anchor_y="240"/></links>
<spots><spot x="300" y="330"/><spot x="600" y="330"><p name="type" value="1"/><p name="cost_gold" value="40"/></spot></spots>
<waves><wave timeout="5" spawn="1"><e id="1" upgrade="1" x="0" y="0"/></wave></waves></map>)";

TEST_F(WorldScenario, LoadsTheLevelTheTestWritesAndStepsItsClockByTheGameSpeed) {
  ASSERT_TRUE(level().loadLevelText(kSmallLevel));
  KpMap& map = level().map();
  EXPECT_EQ(map.screenState, kScreenPlay);
  EXPECT_EQ(level().money(), 250);
  ASSERT_EQ(map.mapImages->spotFrames().size(), 2u);
  EXPECT_EQ(map.waves->waves().size(), 1u);

  map.gameSpeed = 2.0f;
  const float before = map.gameTime;
  level().step(1.5f);
  EXPECT_NEAR(map.gameTime - before, 3.0f, 1e-3f);
  EXPECT_NEAR(map.rawFrameTime, LevelRun::kFrameStep, 1e-6f);
}

TEST_F(WorldScenario, LoadsCampaignLevelsOfBothModes) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 1, 4));
  EXPECT_EQ(level().life(), 25.0f);
  ASSERT_TRUE(level().loadCampaignLevel(3, 0, 0));
  EXPECT_EQ(level().life(), 1.0f);
  EXPECT_FALSE(level().loadCampaignLevel(1, 7, 7)) << "no such level";
}

TEST_F(WorldScenario, OffersWhatTheMenuOffersAtItsPrices) {
  // The first level opens the first tower and its first tier only.
  ASSERT_TRUE(level().loadLevelText(kSmallLevel));
  EXPECT_EQ(level().buildPrice(10000), 70.0f);
  EXPECT_EQ(level().buildPrice(20000), 0.0f) << "not open on the first level";
  EXPECT_EQ(level().buildPrice(10001), 0.0f) << "a tier is no build";
  EXPECT_EQ(level().buildPrice(1), 0.0f) << "a unit is no build";
  EXPECT_EQ(level().build(7, 10000), nullptr) << "no such spot";
  EXPECT_EQ(level().build(1, 10000), nullptr) << "not bought yet";
  EXPECT_FALSE(level().upgrade(0, 10001)) << "no tower there";

  ASSERT_NE(level().build(0, 10000), nullptr);
  EXPECT_EQ(level().money(), 180);
  EXPECT_EQ(level().build(0, 10000), nullptr) << "taken";
  EXPECT_EQ(level().upgradePrice(0, 10002), 0.0f) << "not open on the first level";
  EXPECT_EQ(level().upgradePrice(0, 10001), 60.0f);
  ASSERT_TRUE(level().upgrade(0, 10001));
  EXPECT_EQ(level().money(), 120);
  EXPECT_EQ(level().upgradePrice(0, 10001), 0.0f) << "the tier it has";
  // Half of the tier's and its base's costs come back.
  ASSERT_TRUE(level().sell(0));
  EXPECT_EQ(level().money(), 120 + 65);
  EXPECT_EQ(level().towerOn(0), nullptr);
  EXPECT_NE(level().build(0, 10000), nullptr) << "free again";

  // Where the second tier is open, skipping the first costs both.
  ASSERT_TRUE(level().loadLevelText(kSmallLevel, 0, 2));
  ASSERT_NE(level().build(0, 10000), nullptr);
  EXPECT_EQ(level().upgradePrice(0, 10002), 60.0f + 90.0f);
}

TEST_F(WorldScenario, ASpotWithAPriceOpensOnceBoughtAndOnlyWhenPaid) {
  ASSERT_TRUE(level().loadLevelText(kSmallLevel));
  KpMap& map = level().map();
  KpFrameEntry* spot = map.mapImages->spotFrames()[1];
  ASSERT_FALSE(spot->spot->open);
  EXPECT_NE(spot->image, map.mapImages->pictures().plain);

  map.wallet->money = 39;
  EXPECT_FALSE(map.buySpot(spot));
  EXPECT_EQ(level().money(), 39);
  EXPECT_FALSE(spot->spot->open);

  map.wallet->money = 100;
  EXPECT_TRUE(map.buySpot(spot));
  EXPECT_EQ(level().money(), 60);
  EXPECT_TRUE(spot->spot->open);
  EXPECT_EQ(spot->image, map.mapImages->pictures().plain);
  EXPECT_FALSE(map.buySpot(spot)) << "bought already";
  EXPECT_EQ(level().money(), 60);
  EXPECT_FALSE(map.buySpot(map.mapImages->spotFrames()[0])) << "open from the start";
  EXPECT_FALSE(map.buySpot(nullptr));

  // The profile keeps it bought: the level's next start finds it open.
  ASSERT_TRUE(level().loadLevelText(kSmallLevel));
  EXPECT_TRUE(map.mapImages->spotFrames()[1]->spot->open);
}

}  // namespace
