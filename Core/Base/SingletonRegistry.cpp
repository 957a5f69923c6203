#include "Core/Base/SingletonRegistry.h"

#include <algorithm>
#include <cstdlib>

#include "Core/Base/Singletone.h"

namespace {

SingletonRegistry* registry = nullptr;

}  // namespace

SingletonRegistry::SingletonRegistry() { std::atexit(&SingletonRegistry::Shutdown); }

SingletonRegistry& SingletonRegistry::Get() {
  // Made on first use and never freed: the exit handler may run after other
  // static objects are gone, and an emptied registry costs nothing.
  if (!registry) registry = new SingletonRegistry;
  return *registry;
}

void SingletonRegistry::Register(base::SingletoneBase* instance) { instances_.push_back(instance); }

void SingletonRegistry::Unregister(const base::SingletoneBase* instance) {
  std::erase(instances_, instance);
  std::erase_if(pairs_, [instance](const Pair& pair) { return pair.first == instance || pair.second == instance; });
}

void SingletonRegistry::AddPair(base::SingletoneBase* dependent, base::SingletoneBase* dependency) {
  pairs_.emplace_back(dependent, dependency);
}

std::ptrdiff_t SingletonRegistry::Find(const base::SingletoneBase* instance) const {
  const auto found = std::find(instances_.begin(), instances_.end(), instance);
  return found == instances_.end() ? -1 : found - instances_.begin();
}

bool SingletonRegistry::SweepDependencies() {
  for (std::size_t i = 0; i < instances_.size(); ++i) {
    for (base::SingletoneBase* dependency : instances_[i]->GetDependencies()) {
      const std::ptrdiff_t j = Find(dependency);
      if (j >= 0 && static_cast<std::size_t>(j) < i) {
        std::swap(instances_[i], instances_[static_cast<std::size_t>(j)]);
        return true;
      }
    }
  }
  return false;
}

bool SingletonRegistry::SweepPairs() {
  bool changed = false;
  for (const auto& [dependent, dependency] : pairs_) {
    const std::ptrdiff_t s = Find(dependent);
    const std::ptrdiff_t r = Find(dependency);
    if (s < 0 || r < 0 || r >= s) continue;
    std::swap(instances_[static_cast<std::size_t>(r)], instances_[static_cast<std::size_t>(s)]);
    changed = true;
  }
  return changed;
}

void SingletonRegistry::Order() {
  for (;;) {
    const bool dependencyMoved = SweepDependencies();
    const bool pairMoved = SweepPairs();
    if (!dependencyMoved && !pairMoved) return;
  }
}

void SingletonRegistry::Shutdown() {
  if (!registry) return;
  registry->Order();
  // A destructor may create a service it still needs; that one registers at
  // the end and is destroyed in this same loop, after all the others.
  while (!registry->instances_.empty()) {
    base::SingletoneBase* first = registry->instances_.front();
    registry->instances_.erase(registry->instances_.begin());
    delete first;
  }
  registry->pairs_.clear();
}
