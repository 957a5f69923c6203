#include <benchmark/benchmark.h>

#include "Game/KpMap.h"
#include "benchmarks/Game/RunningGame.h"
#include "tests/Support/BusiestMoment.h"
#include "tests/Support/LevelRun.h"

namespace {

using testing_support::LevelRun;

// The measured frames run at the player's normal speed, from about a second
// before the campaign's busiest moment to three after.
constexpr int kMeasuredFrames = 240;
constexpr int kFramesBeforePeak = 30;

// One frame of the world per iteration; each repetition replays the level to
// its start first.
void BM_BusiestWorldFrame(benchmark::State& state) {
  game_bench::RunningGame& game = game_bench::TheGame();
  if (!game.ok()) {
    state.SkipWithError("the game does not start");
    return;
  }
  LevelRun level(game.game());
  if (!testing_support::PlayToBusiestMoment(level, kFramesBeforePeak)) {
    state.SkipWithError("the build order does not reach the last group of waves");
    return;
  }
  KpMap& map = level.map();
  state.counters["crowd"] = static_cast<double>(testing_support::Crowd(map));
  state.counters["towers"] = static_cast<double>(map.towers.size());
  map.gameSpeed = 1.0f;
  for (auto _ : state) level.frame();
}
BENCHMARK(BM_BusiestWorldFrame)->Iterations(kMeasuredFrames)->Repetitions(3)->Unit(benchmark::kMicrosecond);

}  // namespace
