#pragma once

#include <vector>

#include "Core/Base/NoCopy.h"

namespace base {

// Every service object exists once per process. It registers itself while this
// base is constructed and is destroyed only by SingletonRegistry::Shutdown, in
// an order that keeps each service alive until its dependents are gone.
class SingletoneBase : NoCopy {
 public:
  SingletoneBase();
  virtual ~SingletoneBase();

  // The services that must still exist when this one is destroyed.
  virtual std::vector<SingletoneBase*> GetDependencies();

  static void AddDependency(SingletoneBase* dependent, SingletoneBase* dependency);
};

// One global pointer per service class T, created on first use. T may provide
// its own static CreateInstance() to pick the concrete class.
template <class T>
class Singletone : public SingletoneBase {
 public:
  static T* Instance() {
    if (!instance_) {
      T* created = T::CreateInstance();
      instance_ = created;
      registered_ = created;
    }
    return instance_;
  }

  // The current instance without creating one.
  static T* Existing() { return instance_; }

  static T* CreateInstance() { return new T; }

 protected:
  // The pointer is reset here so that a destroyed service is created anew on
  // its next use instead of being reached through a dangling pointer.
  ~Singletone() override {
    if (registered_ == this) {
      instance_ = nullptr;
      registered_ = nullptr;
    }
  }

 private:
  static inline T* instance_ = nullptr;
  static inline Singletone* registered_ = nullptr;
};

}  // namespace base
