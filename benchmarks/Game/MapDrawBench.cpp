#include <benchmark/benchmark.h>

#include "Core/Render/Graphics.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderState.h"
#include "Game/Game.h"
#include "Game/KpMap.h"
#include "benchmarks/Game/RunningGame.h"
#include "tests/Support/BusiestMoment.h"
#include "tests/Support/LevelRun.h"

namespace {

using testing_support::LevelRun;

constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// The map's frame as the game window draws it, recorded into the command
// buffer; the scene is not presented.
void Record(render::Render& render, KpMap& map) {
  render.BeginScene();
  {
    render::Graphics graphics(render);
    graphics.Clear(render::kClearColor, kBlack, 1.0f, 0);
    graphics.SetBlendMode(render::kBlendAlpha);
    map.draw(graphics);
  }
  render.EndScene();
}

// The level standing still at the campaign's busiest moment, reached once
// for every benchmark of the run; null, with the benchmark skipped, when the
// game or the level cannot get there.
KpMap* BusiestMap(benchmark::State& state) {
  game_bench::RunningGame& game = game_bench::TheGame();
  if (!game.ok()) {
    state.SkipWithError("the game does not start");
    return nullptr;
  }
  static LevelRun run(game.game());
  static const bool reached = testing_support::PlayToBusiestMoment(run);
  if (!reached) {
    state.SkipWithError("the build order does not reach the last group of waves");
    return nullptr;
  }
  return &run.map();
}

void Report(benchmark::State& state, render::Render& render, KpMap& map) {
  state.counters["batches"] = static_cast<double>(render.GetReplayedDrawCount());
  state.counters["crowd"] = static_cast<double>(testing_support::Crowd(map));
}

// Recording and replaying one frame, as the game does it before the present.
void BM_BusiestMapDrawFrame(benchmark::State& state) {
  KpMap* map = BusiestMap(state);
  if (!map) return;
  render::Render& render = *game_bench::TheGame().game().GetRender();
  for (auto _ : state) {
    Record(render, *map);
    render.ExecuteCommands();
  }
  Report(state, render, *map);
}
BENCHMARK(BM_BusiestMapDrawFrame)->Unit(benchmark::kMicrosecond);

void BM_BusiestMapDrawRecord(benchmark::State& state) {
  KpMap* map = BusiestMap(state);
  if (!map) return;
  render::Render& render = *game_bench::TheGame().game().GetRender();
  for (auto _ : state) {
    Record(render, *map);
    state.PauseTiming();
    render.ExecuteCommands();
    state.ResumeTiming();
  }
  Report(state, render, *map);
}
BENCHMARK(BM_BusiestMapDrawRecord)->Unit(benchmark::kMicrosecond);

void BM_BusiestMapDrawReplay(benchmark::State& state) {
  KpMap* map = BusiestMap(state);
  if (!map) return;
  render::Render& render = *game_bench::TheGame().game().GetRender();
  for (auto _ : state) {
    state.PauseTiming();
    Record(render, *map);
    state.ResumeTiming();
    render.ExecuteCommands();
  }
  Report(state, render, *map);
}
BENCHMARK(BM_BusiestMapDrawReplay)->Unit(benchmark::kMicrosecond);

}  // namespace
