#pragma once

#include <map>

#include "Core/Base/WString.h"

namespace resource {

// A cached resource and the use count its handles share.
template <class T>
struct CacheEntry {
  T* resource;
  int* count;
};

// One per resource type, keyed by the exact name: letter case matters.
template <class T>
using ResourceCache = std::map<base::WString, CacheEntry<T>>;

}  // namespace resource
