#pragma once

namespace base {

// An object that may be deleted at a safe point of the frame rather than at
// once, through its virtual destructor.
class DeferredDeletable {
 public:
  virtual ~DeferredDeletable() = default;
};

}  // namespace base
