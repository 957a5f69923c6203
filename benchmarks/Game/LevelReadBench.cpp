#include <benchmark/benchmark.h>

#include <filesystem>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpSpot.h"
#include "Game/KpWaves.h"
#include "Game/LevelFile.h"

namespace {

// What every start of a level reads of its file before the routes: the file,
// its budget, its build spots and its waves. The largest campaign level.
void BM_ReadLevel(benchmark::State& state) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(LF_GAME_DATA_ROOT);
  LevelFile level;
  if (!level.load(u"kp/levels_normal/level_01_05.xml")) state.SkipWithError("the level is not in the data root");
  for (auto _ : state) {
    level.load(u"kp/levels_normal/level_01_05.xml");
    KpSpotList spots;
    ReadSpots(level.child("spots"), spots);
    KpWaves waves;
    waves.load(level.child("waves"));
    benchmark::DoNotOptimize(level.budget());
    benchmark::DoNotOptimize(waves.waves().data());
  }
  std::filesystem::current_path(previous);
  SingletonRegistry::Shutdown();
}
BENCHMARK(BM_ReadLevel)->Unit(benchmark::kMicrosecond);

}  // namespace
