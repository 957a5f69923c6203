#pragma once

#include <cstdint>

namespace base {

// One word of a binding's identity.
using DelegateKey = std::uintptr_t;

// A callback behind a common interface: the caller does not know whether a
// free function or an object's member operation answers it. Delegates are
// shared through SharedRef, which deletes them through this interface.
template <class R, class... Args>
class Delegate {
 public:
  // The two words that identify what is bound: the object (or the function of
  // a static binding) and the member operation (0 for a static binding).
  virtual DelegateKey GetObjectKey() const = 0;
  virtual DelegateKey GetMethodKey() const = 0;
  virtual ~Delegate() = default;
  virtual R Invoke(Args... args) = 0;
};

template <class R>
using Delegate0 = Delegate<R>;
template <class A, class R>
using Delegate1 = Delegate<R, A>;
template <class A, class B, class R>
using Delegate2 = Delegate<R, A, B>;

}  // namespace base
