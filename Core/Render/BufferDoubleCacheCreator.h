#pragma once

#include <cstdint>
#include <memory>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/VertexFormatRegistry.h"

namespace render {

// Makes the per-frame vertex cache of one registered vertex type, for a
// Render that only knows the format id.
class BufferDoubleCacheCreator {
 public:
  virtual ~BufferDoubleCacheCreator() = default;
  // A count or batch of 0 takes the format's own.
  virtual QLResultEnum Create(Render& render, std::uint32_t count, std::uint32_t batch,
                              std::unique_ptr<BufferDoubleCacheBase>& out) const = 0;
};

template <class T>
class BufferDoubleCacheCreatorConcrete : public BufferDoubleCacheCreator {
 public:
  QLResultEnum Create(Render& render, std::uint32_t count, std::uint32_t batch,
                      std::unique_ptr<BufferDoubleCacheBase>& out) const override {
    const VertexFormat& format = T::Format();
    std::unique_ptr<BufferDoubleCache<VertexBuffer<T>>> cache;
    const QLResultEnum result = BufferDoubleCache<VertexBuffer<T>>::Create(render, count ? count : format.cacheCount,
                                                                           batch ? batch : format.cacheBatch, cache);
    if (result != QL_OK) return result;
    out = std::move(cache);
    return QL_OK;
  }
};

}  // namespace render
