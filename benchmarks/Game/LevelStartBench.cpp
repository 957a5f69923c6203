#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "Game/Game.h"
#include "Game/KpMap.h"
#include "Game/KpRouteBuilder.h"
#include "Game/RouteCache.h"
#include "benchmarks/Game/RunningGame.h"

namespace {

// The busiest campaign level, played from two names: one without a route
// cache and one with the cache written beside it.
constexpr int kLevelWithoutCache = 4;
constexpr int kLevelWithCache = 5;

// From the level select's call to the first frame on screen.
void Play(game_bench::RunningGame& game, int levelIndex) {
  KpMap& map = game.map();
  map.difficultyMode = 1;
  map.episodeIndex = 0;
  map.levelIndex = levelIndex;
  map.loadLevel();
  game.game().Tick(0.01f);
}

// Writes the route cache of the level without one beside its copy, once;
// true when it reads back.
bool CacheReads(game_bench::RunningGame& game) {
  static const bool reads = [&game] {
    KpMap& map = game.map();
    Play(game, kLevelWithoutCache);
    const std::vector<std::uint8_t> bytes = RouteCacheBytes(map.routeBuilder->cacheRecords(map.routeMap));
    std::ofstream(game.dataRoot() / "kp/levels_normal/level_01_06.cache", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return map.routeBuilder->readCache(map.routeMap, u"kp/levels_normal/level_01_06.cache") == QL_OK;
  }();
  return reads;
}

void BM_LevelStartToFirstFrame(benchmark::State& state, int levelIndex) {
  game_bench::RunningGame& game = game_bench::TheGame();
  if (!game.ok()) {
    state.SkipWithError("the game does not start");
    return;
  }
  if (!CacheReads(game) && levelIndex == kLevelWithCache) {
    state.SkipWithError("the route cache written does not read back");
    return;
  }
  for (auto _ : state) Play(game, levelIndex);
  if (!game.map().levelLoadError.empty()) state.SkipWithError("the level does not load");
}
BENCHMARK_CAPTURE(BM_LevelStartToFirstFrame, RoutesComputed, kLevelWithoutCache)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LevelStartToFirstFrame, RouteCacheRead, kLevelWithCache)->Unit(benchmark::kMillisecond);

}  // namespace
