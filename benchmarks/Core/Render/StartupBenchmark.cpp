#include <benchmark/benchmark.h>

#include "Platform/ShaderCache.h"
#include "benchmarks/Core/Render/BenchmarkScreen.h"
#include "tests/Support/TempFolder.h"

namespace {

constexpr float kBlack[4] = {0, 0, 0, 1};

bool StartAndPresent() {
  render_bench::BenchmarkScreen screen;
  if (!screen.Start()) return false;
  render::Render& render = screen.GetRender();
  render.BeginScene();
  render.Clear(render::kClearColor, kBlack, 1.0f, 0);
  render.EndScene();
  render.Present();
  return render.ExecuteCommands() == QL_OK;
}

// From nothing to the first picture in the window: the device, the built-in
// shaders and the first present. range(0): 1 when the shader cache holds the
// built-in shaders from an earlier start, 0 without a cache.
void BM_StartToFirstFrame(benchmark::State& state) {
  const testing_support::TempFolder folder;
  if (state.range(0) != 0) {
    platform::SetShaderCacheFolder(folder.Path().string());
    if (!StartAndPresent()) return state.SkipWithError("no renderer");
  }
  for (auto _ : state) {
    if (!StartAndPresent()) return state.SkipWithError("no renderer");
  }
  platform::SetShaderCacheFolder({});
}
BENCHMARK(BM_StartToFirstFrame)->ArgName("cached")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
