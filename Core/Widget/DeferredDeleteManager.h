#pragma once

#include <vector>

#include "Core/Widget/DeferredDeletable.h"

namespace base {

// Objects waiting for the safe point of the frame, where DeleteAll deletes
// them in the order they were queued.
class DeferredDeleteManager {
 public:
  DeferredDeleteManager() = default;
  ~DeferredDeleteManager();
  DeferredDeleteManager(const DeferredDeleteManager&) = delete;
  DeferredDeleteManager& operator=(const DeferredDeleteManager&) = delete;

  // Ownership passes to the manager.
  void QueueDelete(DeferredDeletable* object);
  void DeleteAll();

 private:
  std::vector<DeferredDeletable*> queued_;
};

}  // namespace base
