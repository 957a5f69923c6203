#include <benchmark/benchmark.h>

#include <vector>

#include "Core/Layer/Layer.h"
#include "Core/Widget/Widget.h"

namespace {

widget::Widget* MakeWidget() {
  auto* made = new widget::Widget;
  made->SetLayer(new layer::Layer, true, false);
  return made;
}

// n child widgets, each with its own layer, deleted one by one while their
// parent stays.
void BM_DeleteWidgetChildren(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const bool lastFirst = state.range(1) != 0;
  widget::Widget parent;
  parent.SetLayer(new layer::Layer, true, false);
  std::vector<widget::Widget*> children(count);
  for (auto _ : state) {
    state.PauseTiming();
    for (widget::Widget*& child : children) {
      child = MakeWidget();
      parent.AddChild(child);
    }
    state.ResumeTiming();
    if (lastFirst) {
      for (auto it = children.rbegin(); it != children.rend(); ++it) delete *it;
    } else {
      for (widget::Widget* child : children) delete child;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeleteWidgetChildren)
    ->ArgNames({"n", "lastFirst"})
    ->ArgsProduct({{1000, 8000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
