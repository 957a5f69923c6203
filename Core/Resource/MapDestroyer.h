#pragma once

#include <vector>

#include "Core/Resource/Destroyer.h"
#include "Core/Resource/Resource.h"
#include "Core/Resource/ResourceCache.h"

namespace resource {

// Owns the cache of T for the lifetime of one manager. The slot is where the
// manager finds that cache; it is cleared here so that a later manager makes a
// fresh cache instead of reaching a freed one.
template <class T>
class MapDestroyer : public Destroyer {
 public:
  explicit MapDestroyer(ResourceCache<T>*& slot) : slot_(slot) { slot_ = &cache_; }

  ~MapDestroyer() override {
    slot_ = nullptr;
    // Resources still held outlive the cache and are freed by their last
    // handle. The others (an unload that failed) are freed here, but only
    // after every entry has been looked at: freeing one may release handles it
    // holds on others of this cache.
    std::vector<CacheEntry<T>> unheld;
    for (const auto& [name, entry] : cache_) {
      entry.resource->cached_ = false;
      if (*entry.count <= 0) unheld.push_back(entry);
    }
    cache_.clear();
    for (const CacheEntry<T>& entry : unheld) DestroyOrphan(entry.resource, entry.count);
  }

  MapDestroyer(const MapDestroyer&) = delete;
  MapDestroyer& operator=(const MapDestroyer&) = delete;

 private:
  ResourceCache<T> cache_;
  ResourceCache<T>*& slot_;
};

}  // namespace resource
