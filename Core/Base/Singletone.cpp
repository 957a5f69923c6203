#include "Core/Base/Singletone.h"

#include "Core/Base/SingletonRegistry.h"

namespace base {

SingletoneBase::SingletoneBase() { SingletonRegistry::Get().Register(this); }

// A service destroyed outside the shut-down (a test's own instance, say) must
// not be destroyed a second time there.
SingletoneBase::~SingletoneBase() { SingletonRegistry::Get().Unregister(this); }

std::vector<SingletoneBase*> SingletoneBase::GetDependencies() { return {}; }

void SingletoneBase::AddDependency(SingletoneBase* dependent, SingletoneBase* dependency) {
  SingletonRegistry::Get().AddPair(dependent, dependency);
}

}  // namespace base
