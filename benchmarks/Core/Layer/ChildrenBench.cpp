#include <benchmark/benchmark.h>

#include <vector>

#include "Core/Layer/Layer.h"

namespace {

// n children deleted one by one, first to last or last to first, while their
// parent stays.
void BM_DeleteLayerChildren(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const bool lastFirst = state.range(1) != 0;
  layer::Layer parent;
  std::vector<layer::Layer*> children(count);
  for (auto _ : state) {
    state.PauseTiming();
    for (layer::Layer*& child : children) {
      child = new layer::Layer;
      parent.AddChild(child);
    }
    state.ResumeTiming();
    if (lastFirst) {
      for (auto it = children.rbegin(); it != children.rend(); ++it) delete *it;
    } else {
      for (layer::Layer* child : children) delete child;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeleteLayerChildren)
    ->ArgNames({"n", "lastFirst"})
    ->ArgsProduct({{1000, 8000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
