#pragma once

#include <utility>

#include "Core/Resource/Resource.h"

namespace resource {

class ResourceManager;

// One counted use of a cached resource. A handle without a count only points
// at its resource and never releases it.
template <class T>
class ResourceHandle {
 public:
  ResourceHandle() = default;
  // For a resource no cache counts, such as a built-in shader.
  explicit ResourceHandle(T* resource) : resource_(resource) {}

  ResourceHandle(const ResourceHandle& other) : ResourceHandle(other.resource_, other.count_) {}
  ResourceHandle(ResourceHandle&& other) noexcept
      : resource_(std::exchange(other.resource_, nullptr)), count_(std::exchange(other.count_, nullptr)) {}

  // The other's use is taken before this one is given up, so assigning a
  // handle to itself, or to another use of the same resource, keeps it alive.
  ResourceHandle& operator=(ResourceHandle other) noexcept {
    std::swap(resource_, other.resource_);
    std::swap(count_, other.count_);
    return *this;
  }

  ~ResourceHandle() { Release(); }

  // Leaves the handle empty; the last use hands the resource back.
  void Release() {
    T* resource = std::exchange(resource_, nullptr);
    int* count = std::exchange(count_, nullptr);
    if (!count || --*count > 0) return;
    if (resource->IsCached()) {
      resource->Release();
    } else {
      DestroyOrphan(resource, count);
    }
  }

  T* Get() const { return resource_; }
  T* operator->() const { return resource_; }
  explicit operator bool() const { return resource_ != nullptr; }
  // Zero for an empty or uncounted handle.
  int UseCount() const { return count_ ? *count_ : 0; }

 private:
  friend class ResourceManager;

  // Counts one more use of a cache entry.
  ResourceHandle(T* resource, int* count) : resource_(resource), count_(count) {
    if (count_) ++*count_;
  }

  T* resource_ = nullptr;
  int* count_ = nullptr;
};

}  // namespace resource
