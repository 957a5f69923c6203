// The waves of a level the test writes, played through the map's own frame:
// the hint, the early call, units that escape or die, the won end.

#include <gtest/gtest.h>

#include <string>

#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "tests/Support/WorldScenario.h"

namespace {

class WavesPlayTest : public testing_support::WorldScenario {};

// A straight road from the left edge to the right; units 1 walk it in about
// 28 seconds and cost 1 life at the base.
std::string LevelWithWaves(const std::string& waves) {
  return R"(<map><li>kp/data/maps/e1_l1/background.png</li><budget>250</budget>
<points><point id="1" x="-40" y="240"><p name="spawn" value="1"/></point>
<point id="2" x="1064" y="240"><p name="goal" value="1"/></point></points>
<links><link sid="1" eid="2" anchor_x="500" anchor_y="240"/></links><spots/>)" +
         waves + "</map>";
}

TEST_F(WavesPlayTest, UnitsThatEscapeEndTheirWavesAndTheLevelIsWonAfterTheLast) {
  ASSERT_TRUE(level().loadLevelText(LevelWithWaves(R"(<waves><wave timeout="3" spawn="1" wipeAward="20">
      <e id="1"/><e id="1" x="45"/></wave><wave spawn="-1" timeout="1"><e id="1"/></wave></waves>)")));
  KpMap& map = level().map();
  map.gameSpeed = 2.0f;
  level().frame();
  ASSERT_EQ(map.waveHints->hints().size(), 1u);
  EXPECT_EQ(map.waveHints->hints()[0]->x, 0.0f) << "the spawn point lies left of the screen";
  EXPECT_EQ(map.waveHints->nextWaveTime, 3.0f);

  const int paid = map.waves->callNextWaveEarly();
  EXPECT_EQ(paid, 5) << "2 x (3 - one step), truncated";
  EXPECT_EQ(level().money(), 255);
  level().frame();
  ASSERT_EQ(map.waves->enemies().size(), 1u) << "the first unit comes at once";
  EXPECT_FALSE(map.waves->enemies()[0]->route.empty());

  ASSERT_TRUE(level().runToEnd(60.0f));
  EXPECT_TRUE(level().won());
  EXPECT_EQ(level().finishedGroups(), 2);
  EXPECT_EQ(level().life(), 22.0f);
  EXPECT_EQ(level().money(), 255) << "no wipe award after an escape";
  EXPECT_TRUE(map.waves->enemies().empty());
}

TEST_F(WavesPlayTest, AWaveKilledToTheLastUnitPaysItsWipeAwardOnce) {
  ASSERT_TRUE(level().loadLevelText(
      LevelWithWaves(R"(<waves><wave spawn="1" wipeAward="20"><e id="1"/><e id="1" x="45"/></wave>
      <wave spawn="1" timeout="60"><e id="1"/></wave></waves>)")));
  KpMap& map = level().map();
  map.gameSpeed = 2.0f;
  const int kills = [&] {
    int killed = 0;
    level().runUntil(
        [&] {
          for (KpEnemy* unit : map.waves->enemies())
            if (unit->health > 0.0f) {
              unit->damage(unit->health);
              ++killed;
            }
          return level().finishedGroups() == 1;
        },
        30.0f);
    return killed;
  }();
  ASSERT_EQ(kills, 2);
  const int rewards = map.wallet->killMoney + map.wallet->comboBonus;
  EXPECT_EQ(level().money(), 250 + rewards + 20);
  level().step(5.0f);
  EXPECT_EQ(level().money(), 250 + map.wallet->killMoney + map.wallet->comboBonus + 20);
  EXPECT_EQ(level().life(), 25.0f);
}

}  // namespace
