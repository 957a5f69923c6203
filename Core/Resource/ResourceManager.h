#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Resource/Destroyer.h"
#include "Core/Resource/MapDestroyer.h"
#include "Core/Resource/ResourceCache.h"
#include "Core/Resource/ResourceHandle.h"

namespace resource {

// Shares one object per resource type and name among everyone who asks for it.
class ResourceManager : public base::Singletone<ResourceManager> {
 public:
  // The cached T of that name, else a new one, named but not loaded; an empty
  // handle when naming it fails.
  template <class T>
  ResourceHandle<T> Get(const base::WString& name);

  // T's cache, made on the first use of T by this manager.
  template <class T>
  ResourceCache<T>& GetMap();

  // Unloads, frees and uncaches a resource whose last handle is gone. A failed
  // unload keeps it cached, so the next get hands it out again.
  template <class T>
  QLResultEnum Release(T* resource);

 private:
  friend class base::Singletone<ResourceManager>;
  // The per-type caches are reached through process-wide slots, which only
  // one manager at a time may own.
  ResourceManager() = default;

  std::vector<std::unique_ptr<Destroyer>> destroyers_;
};

template <class T>
ResourceHandle<T> ResourceManager::Get(const base::WString& name) {
  static_assert(std::is_base_of_v<Resource, T>);
  ResourceCache<T>& cache = GetMap<T>();
  if (const auto found = cache.find(name); found != cache.end()) {
    return ResourceHandle<T>(found->second.resource, found->second.count);
  }
  auto created = std::make_unique<T>();
  if (created->Init(name) != QL_OK) return {};
  auto count = std::make_unique<int>(0);
  cache.emplace(name, CacheEntry<T>{created.get(), count.get()});
  created->cached_ = true;
  return ResourceHandle<T>(created.release(), count.release());
}

template <class T>
ResourceCache<T>& ResourceManager::GetMap() {
  // The slot outlives managers: the destroyer points it at the cache it owns
  // and clears it when this manager goes.
  static ResourceCache<T>* cache = nullptr;
  if (!cache) destroyers_.push_back(std::make_unique<MapDestroyer<T>>(cache));
  return *cache;
}

template <class T>
QLResultEnum ResourceManager::Release(T* resource) {
  ResourceCache<T>& cache = GetMap<T>();
  // A resource is cached under the name it was made with.
  const auto found = cache.find(resource->GetName());
  if (found == cache.end() || found->second.resource != resource) return QL_OK;
  if (resource->IsLoaded()) {
    if (const QLResultEnum result = resource->UnLoad(); result != QL_OK) return result;
  }
  int* count = found->second.count;
  cache.erase(found);
  delete resource;
  delete count;
  return QL_OK;
}

}  // namespace resource
