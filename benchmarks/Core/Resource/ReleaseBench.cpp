#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Core/Resource/ResourceManager.h"

namespace {

class Plain : public resource::Resource {
 public:
  QLResultEnum Release() override { return resource::ResourceManager::Instance()->Release(this); }

 protected:
  QLResultEnum DoLoad() override { return QL_OK; }
  QLResultEnum DoUnload() override { return QL_OK; }
};

// Handles to n cached resources let go one after another, as a level's
// images are when the level closes.
void BM_ReleaseResources(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::vector<base::WString> names;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "kp/images/sprite_" + std::to_string(i) + ".png";
    names.emplace_back(name.begin(), name.end());
  }
  std::vector<resource::ResourceHandle<Plain>> handles;
  for (auto _ : state) {
    state.PauseTiming();
    for (const base::WString& name : names) handles.push_back(resource::ResourceManager::Instance()->Get<Plain>(name));
    state.ResumeTiming();
    handles.clear();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReleaseResources)->Arg(1000)->Arg(8000)->Unit(benchmark::kMicrosecond);

}  // namespace
