// Random levels played by a random player for thousands of frames: waves of
// random units (ids the sheets lack among them) from random spawn points, and
// builds, upgrades, sales, spot purchases and speed changes on random spots.
// Nothing may crash, leak or hang: every level ends, and the same seed plays
// the same game again.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpTower.h"
#include "Game/KpWallet.h"
#include "tests/Support/LevelRun.h"
#include "tests/Support/WorldScenario.h"

namespace {

using testing_support::LevelRun;
using testing_support::WorldScenario;

// Units of the sheet, with ids it lacks, a tower's and an ammunition's.
constexpr std::array kUnitIds = {1, 2, 0, 11, 39, 3, 4, 5, 6, 7, 8, 10, 12, 13, 14, 101, 114, 999, -3, 10000, 2001};
// Towers and tiers of the sheet, with ids that name none or a unit.
constexpr std::array kTowerIds = {10000, 10001, 10002, 10100, 10200, 20000, 20001, 20002, 20100, 20200, 30000,
                                  30001, 30002, 30100, 30200, 40000, 40001, 40002, 40100, 40200, 12345, 1};
// Spawn points of the level, the default one and one it lacks.
constexpr std::array kSpawnIds = {1, 3, -1, 42};
constexpr std::array kLanes = {0, -65, -130, 40};
constexpr int kSpotCount = 8;
// The player acts about four times a second.
constexpr int kFramesPerCommand = 15;
// Frames that are drawn as well, so that what the world holds is drawn too.
constexpr int kFramesPerDraw = 240;
// Long enough for the slowest unit to walk every group's road at speed 1.
constexpr float kMaxFrameSeconds = 1200.0f;

int Pick(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

template <class Array>
auto PickFrom(std::mt19937& random, const Array& values) {
  return values[Pick(random, 0, static_cast<int>(values.size()) - 1)];
}

// Two roads that meet, eight spots (two of them for sale) and random waves.
std::string RandomLevel(std::mt19937& random) {
  std::string level =
      "<map><li>kp/data/maps/e1_l1/background.png</li><budget>1500</budget><points>"
      "<point id=\"1\" x=\"-40\" y=\"240\"><p name=\"spawn\" value=\"1\"/></point>"
      "<point id=\"2\" x=\"300\" y=\"250\"/>"
      "<point id=\"3\" x=\"520\" y=\"-40\"><p name=\"spawn\" value=\"1\"/></point>"
      "<point id=\"4\" x=\"600\" y=\"420\"/>"
      "<point id=\"5\" x=\"1064\" y=\"460\"><p name=\"goal\" value=\"1\"/></point></points><links>"
      "<link sid=\"1\" eid=\"2\" anchor_x=\"120\" anchor_y=\"240\"/><link sid=\"2\" eid=\"4\" anchor_x=\"450\" "
      "anchor_y=\"300\"/><link sid=\"3\" eid=\"4\" anchor_x=\"560\" anchor_y=\"150\"/><link sid=\"4\" eid=\"5\" "
      "anchor_x=\"850\" anchor_y=\"450\"/></links><spots>";
  for (int n = 0; n < kSpotCount; ++n) {
    const int price = n >= kSpotCount - 2 ? 50 : 0;
    level += "<spot x=\"" + std::to_string(150 + n * 110) + "\" y=\"" + std::to_string(n % 2 ? 150 : 360) +
             "\"><p name=\"type\" value=\"" + std::to_string(price ? 1 : 0) + "\"/><p name=\"cost_gold\" value=\"" +
             std::to_string(price) + "\"/><p name=\"radius_mult\" value=\"1\"/><p name=\"damage_mult\" value=\"" +
             std::to_string(Pick(random, 1, 3)) + "\"/><p name=\"income_mult\" value=\"1\"/></spot>";
  }
  level += "</spots><waves>";
  const int waveCount = Pick(random, 3, 6);
  for (int wave = 0; wave < waveCount; ++wave) {
    // Most waves come on their own; some come with another, one that may
    // not exist.
    const int linked = Pick(random, 0, 3) ? -1 : Pick(random, -1, waveCount);
    level += "<wave timeout=\"" + std::to_string(Pick(random, 0, 6)) + "\" spawn=\"" +
             std::to_string(PickFrom(random, kSpawnIds)) + "\" wipeAward=\"" + std::to_string(Pick(random, 0, 20)) +
             "\" scale=\"" + std::to_string(Pick(random, 0, 2)) + "\" linked=\"" + std::to_string(linked) + "\">";
    const int entries = Pick(random, 1, 10);
    for (int entry = 0; entry < entries; ++entry)
      level += "<e id=\"" + std::to_string(PickFrom(random, kUnitIds)) + "\" upgrade=\"" +
               std::to_string(Pick(random, 0, 3)) + "\" x=\"" + std::to_string(Pick(random, -20, 400)) + "\" y=\"" +
               std::to_string(PickFrom(random, kLanes)) + "\"/>";
    level += "</wave>";
  }
  return level + "</waves></map>";
}

// What a finished game comes to.
struct Outcome {
  int money;
  float life;
  int killMoney;
  int leaks;
  std::size_t towers;
  int frames;
  bool won;

  auto tied() const { return std::tie(money, life, killMoney, leaks, towers, frames, won); }
  bool operator==(const Outcome& other) const { return tied() == other.tied(); }
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "money " << o.money << ", life " << o.life << ", kill money " << o.killMoney << ", leaks " << o.leaks
             << ", towers " << o.towers << ", frames " << o.frames << (o.won ? ", won" : ", lost");
}

class WorldFuzzTest : public WorldScenario {
 protected:
  // A random level played by a random player until it ends. The profile
  // keeps the spots bought, so that a game that buys one is not played the
  // same way twice.
  Outcome Play(unsigned seed, bool buysSpots = true) {
    buysSpots_ = buysSpots;
    std::mt19937 random(seed);
    EXPECT_TRUE(level().loadLevelText(RandomLevel(random), 1, 4, seed));
    int frames = 0;
    const bool ended = level().runUntil(
        [&] {
          if (++frames % kFramesPerCommand == 0) Command(random);
          if (frames % kFramesPerDraw == 0) {
            EXPECT_EQ(game().Tick(0.0f), QL_OK);
          }
          const ::testing::AssertionResult sound = SoundWorld();
          EXPECT_TRUE(sound) << "frame " << frames;
          return !sound || level().ended();
        },
        kMaxFrameSeconds);
    EXPECT_TRUE(ended) << "frames " << frames;
    const KpMap& map = level().map();
    return {level().money(),   level().life(), map.wallet->killMoney, map.wallet->leakedCount,
            map.towers.size(), frames,         level().won()};
  }

  void Command(std::mt19937& random) {
    const int spot = Pick(random, -1, kSpotCount);
    switch (Pick(random, 0, 9)) {
      case 0:
      case 1:
      case 2:
        level().build(spot, PickFrom(random, kTowerIds));
        break;
      case 3:
      case 4:
        level().upgrade(spot, PickFrom(random, kTowerIds));
        break;
      case 5:
        level().sell(spot);
        break;
      case 6:
        if (buysSpots_) level().buySpot(spot);
        break;
      default:
        // Now and then a pause, never for long: the next speed change ends it.
        level().map().gameSpeed = static_cast<float>(Pick(random, 0, 2) ? Pick(random, 1, 2) : 0);
        break;
    }
  }

  // Money and life stay in range; a tower stands alone on a spot it hides.
  ::testing::AssertionResult SoundWorld() {
    const KpMap& map = level().map();
    if (level().money() < 0) return ::testing::AssertionFailure() << "money " << level().money();
    if (level().life() < 0.0f || level().life() > map.maxLife)
      return ::testing::AssertionFailure() << "life " << level().life();
    std::set<const KpFrameEntry*> taken;
    for (const KpTower* tower : map.towers) {
      if (!tower->spot || tower->spot->visible) return ::testing::AssertionFailure() << "a tower off its spot";
      if (!taken.insert(tower->spot).second) return ::testing::AssertionFailure() << "two towers on one spot";
    }
    return ::testing::AssertionSuccess();
  }

 private:
  bool buysSpots_ = true;
};

TEST_F(WorldFuzzTest, RandomLevelsAndPlayersEndWithoutFault) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Play(seed);
  }
}

TEST_F(WorldFuzzTest, TheSameSeedAndCommandsGiveTheSameGame) {
  // The profile keeps the spots bought, so these games buy none.
  const Outcome first = Play(11, false);
  Play(12, false);
  EXPECT_EQ(Play(11, false), first) << "after another game in between";
}

}  // namespace
