#pragma once

#include <utility>
#include <vector>

namespace base {
class SingletoneBase;
}

// The process-wide record of every service and of the extra ordering pairs.
class SingletonRegistry {
 public:
  using Pair = std::pair<base::SingletoneBase*, base::SingletoneBase*>;

  static SingletonRegistry& Get();

  void Register(base::SingletoneBase* instance);
  void Unregister(const base::SingletoneBase* instance);
  void AddPair(base::SingletoneBase* dependent, base::SingletoneBase* dependency);

  // Puts every service ahead of the services it depends on.
  void Order();

  // Destroys every service in order. Called once the main loop is over and,
  // as a fallback, when the process exits; a second call finds nothing left.
  static void Shutdown();

  const std::vector<base::SingletoneBase*>& Instances() const { return instances_; }

 private:
  SingletonRegistry();

  bool SweepDependencies();
  bool SweepPairs();
  std::ptrdiff_t Find(const base::SingletoneBase* instance) const;

  std::vector<Pair> pairs_;
  std::vector<base::SingletoneBase*> instances_;
};
