#include "Core/Widget/DeferredDeleteManager.h"

#include <utility>

namespace base {

DeferredDeleteManager::~DeferredDeleteManager() { DeleteAll(); }

void DeferredDeleteManager::QueueDelete(DeferredDeletable* object) { queued_.push_back(object); }

void DeferredDeleteManager::DeleteAll() {
  // A destructor may queue more; those wait for the next safe point.
  const std::vector<DeferredDeletable*> deleting = std::exchange(queued_, {});
  for (DeferredDeletable* object : deleting) delete object;
}

}  // namespace base
