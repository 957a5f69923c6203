#pragma once

#include <memory>
#include <utility>

namespace base {

// Counts one sharer of a SharedRef out; true when it was the last, the counter
// then being freed. A null counter has no sharers. Kept out of line: the
// compiler cannot tell that two references sharing a counter never both free
// it, and would flag the second release as a use after free.
bool DropSharedCount(int* counter);

// A counted reference: the last reference to let go deletes the object. It
// takes no lock, as every holder runs on the main thread.
template <class T>
class SharedRef {
 public:
  SharedRef() = default;
  SharedRef(const SharedRef& other) : object_(other.object_), counter_(other.counter_) {
    if (counter_) ++*counter_;
  }
  // The copy is taken before the old reference goes, so assigning a reference
  // to itself, or to one that shares its object, never deletes that object.
  SharedRef& operator=(const SharedRef& other) {
    SharedRef taken(other);
    std::swap(object_, taken.object_);
    std::swap(counter_, taken.counter_);
    return *this;
  }
  ~SharedRef() { Release(); }

  // Takes ownership of object. Resetting to the object already held keeps it:
  // releasing first would delete what is about to be held. When the counter
  // cannot be allocated, the object is deleted and the failure goes on to the
  // caller with the reference empty.
  void Reset(T* object) {
    if (object == object_) return;
    Release();
    if (!object) return;
    std::unique_ptr<T> owned(object);
    counter_ = new int(1);
    object_ = owned.release();
  }

  void Release() {
    T* object = std::exchange(object_, nullptr);
    if (DropSharedCount(std::exchange(counter_, nullptr))) delete object;
  }

  T* Get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
  int* counter_ = nullptr;
};

}  // namespace base
