#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "Game/KpBulletList.h"
#include "Game/KpMap.h"
#include "Game/KpWaves.h"
#include "benchmarks/Game/RunningGame.h"
#include "tests/Support/BuildOrder.h"
#include "tests/Support/LevelRun.h"

namespace {

using testing_support::BuildOrderPlayer;
using testing_support::CampaignBuildOrder;
using testing_support::LevelRun;

// The campaign's busiest level: its finale, played by its build order.
constexpr const char* kBusiestLevel = "Normal_2_5";
// The replay runs at double speed; the measured frames at the player's
// normal speed, about a second before the crowd is largest and three after.
constexpr float kReplaySpeed = 2.0f;
constexpr int kMeasuredFrames = 240;
constexpr int kFramesBeforePeak = 30;
constexpr float kMaxFrameSeconds = 900.0f;

const CampaignBuildOrder& BusiestLevel() {
  const auto& orders = testing_support::CampaignBuildOrders();
  return *std::find_if(orders.begin(), orders.end(),
                       [](const CampaignBuildOrder& order) { return std::string_view(order.name) == kBusiestLevel; });
}

std::size_t Crowd(const KpMap& map) { return map.waves->enemies().size() + map.bullets->bullets().size(); }

bool InLastGroup(const LevelRun& level) { return level.finishedGroups() == level.map().waves->getWaveCount() - 1; }

// The level from its start with its build order, frame by frame; each frame
// reports the crowd of the last group until onFrame returns false.
template <class OnFrame>
bool Replay(LevelRun& level, OnFrame onFrame) {
  const CampaignBuildOrder& order = BusiestLevel();
  if (!level.loadCampaignLevel(order.mode, order.episode, order.level)) return false;
  level.map().gameSpeed = kReplaySpeed;
  BuildOrderPlayer player(level, order.steps);
  int frame = 0;
  return level.runUntil(
      [&] {
        player.play();
        return level.ended() || !onFrame(frame++);
      },
      kMaxFrameSeconds);
}

// The frame of the last group with the largest crowd; none when the level
// does not get there.
std::optional<int> PeakFrame(LevelRun& level) {
  std::optional<int> peak;
  std::size_t largest = 0;
  Replay(level, [&](int frame) {
    if (InLastGroup(level) && Crowd(level.map()) > largest) {
      largest = Crowd(level.map());
      peak = frame;
    }
    return true;
  });
  return peak;
}

// One frame of the world per iteration, from just before the busiest moment
// of the campaign on; each repetition replays the level to that moment
// first.
void BM_BusiestWorldFrame(benchmark::State& state) {
  game_bench::RunningGame& game = game_bench::TheGame();
  if (!game.ok()) {
    state.SkipWithError("the game does not start");
    return;
  }
  LevelRun level(game.game());
  static const std::optional<int> peak = PeakFrame(level);
  if (!peak) {
    state.SkipWithError("the build order does not reach the last group of waves");
    return;
  }
  const int start = std::max(0, *peak - kFramesBeforePeak);
  Replay(level, [&](int frame) { return frame < start; });
  KpMap& map = level.map();
  state.counters["crowd"] = static_cast<double>(Crowd(map));
  state.counters["towers"] = static_cast<double>(map.towers.size());
  map.gameSpeed = 1.0f;
  for (auto _ : state) level.frame();
}
BENCHMARK(BM_BusiestWorldFrame)->Iterations(kMeasuredFrames)->Repetitions(3)->Unit(benchmark::kMicrosecond);

}  // namespace
