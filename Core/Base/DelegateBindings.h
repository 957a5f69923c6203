#pragma once

#include <cstring>
#include <utility>

#include "Core/Base/Delegate.h"

namespace base {

// An object and one of its member operations. The object is not owned: its
// holder drops the delegate before the object goes. A virtual operation is
// called through the object's table, so the current override answers.
template <class T, class R, class... Args>
class MemberDelegate : public Delegate<R, Args...> {
 public:
  using Method = R (T::*)(Args...);

  MemberDelegate(T* object, Method method) : object_(object), method_(method) {}

  DelegateKey GetObjectKey() const override { return reinterpret_cast<DelegateKey>(object_); }

  // The first word of a member pointer names the function or its table slot;
  // the this-adjustment after it follows from the class, so it adds nothing
  // to the identity.
  DelegateKey GetMethodKey() const override {
    static_assert(sizeof(Method) >= sizeof(DelegateKey));
    DelegateKey key;
    std::memcpy(&key, &method_, sizeof key);
    return key;
  }

  R Invoke(Args... args) override { return (object_->*method_)(std::forward<Args>(args)...); }

 private:
  T* object_;
  Method method_;
};

template <class T, class R>
using MemberDelegate0 = MemberDelegate<T, R>;
template <class T, class A, class R>
using MemberDelegate1 = MemberDelegate<T, R, A>;
template <class T, class A, class B, class R>
using MemberDelegate2 = MemberDelegate<T, R, A, B>;

// A free function.
template <class R, class... Args>
class StaticDelegate : public Delegate<R, Args...> {
 public:
  using Function = R (*)(Args...);

  explicit StaticDelegate(Function function) : function_(function) {}

  DelegateKey GetObjectKey() const override { return reinterpret_cast<DelegateKey>(function_); }
  DelegateKey GetMethodKey() const override { return 0; }

  R Invoke(Args... args) override { return function_(std::forward<Args>(args)...); }

 private:
  Function function_;
};

template <class A, class B, class R>
using StaticDelegate2 = StaticDelegate<R, A, B>;

}  // namespace base
