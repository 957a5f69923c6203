#include <benchmark/benchmark.h>

#include "benchmarks/Core/Render/BenchmarkScreen.h"

namespace {

constexpr float kBlack[4] = {0, 0, 0, 1};

// From nothing to the first picture in the window: the device, the built-in
// shaders and the first present.
void BM_StartToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    render_bench::BenchmarkScreen screen;
    if (!screen.Start()) return state.SkipWithError("no renderer");
    render::Render& render = screen.GetRender();
    render.BeginScene();
    render.Clear(render::kClearColor, kBlack, 1.0f, 0);
    render.EndScene();
    render.Present();
    render.ExecuteCommands();
  }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
