#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Render/TypedBuffer.h"

namespace render {

class BufferDoubleCacheBase : base::NoCopy {
 public:
  virtual ~BufferDoubleCacheBase() = default;
  // 1 when already in a frame.
  virtual QLResultEnum BeginFrame() = 0;
  // Unlocks every buffer, so that the replay after the frame can read them.
  // 1 when not in a frame or when an unlock failed.
  virtual QLResultEnum EndFrame() = 0;
  virtual bool IsInFrame() const = 0;
};

// Hands out consecutive ranges of one main buffer per frame, so that the
// ranges of consecutive draws continue each other and the Render can merge
// them. What the main buffer cannot take goes to overflow buffers, which are
// kept for later frames. They are filled one after the other, so a request
// looks at two buffers at most however many a frame needed.
template <class B>
class BufferDoubleCache : public BufferDoubleCacheBase {
 public:
  using Element = typename B::Element;

  struct Range {
    std::uint32_t first = 0;  // element index in its buffer
    std::uint32_t count = 0;
    B* buffer = nullptr;
  };

  static QLResultEnum Create(Render& render, std::uint32_t count, std::uint32_t batch,
                             std::unique_ptr<BufferDoubleCache>& out) {
    std::unique_ptr<B> main;
    if (const QLResultEnum result = B::Create(render, count, main); result != QL_OK) return result;
    out.reset(new BufferDoubleCache(render, std::move(main), batch));
    return QL_OK;
  }

  QLResultEnum BeginFrame() override {
    if (inFrame_) return QL_FAIL;
    inFrame_ = true;
    currentOverflow_ = 0;
    return QL_OK;
  }

  QLResultEnum EndFrame() override {
    QLResultEnum result = Unlock(*main_);
    for (const auto& overflow : overflow_) {
      if (const QLResultEnum unlocked = Unlock(*overflow); result == QL_OK) result = unlocked;
    }
    if (!inFrame_) return QL_FAIL;
    inFrame_ = false;
    return result;
  }

  bool IsInFrame() const override { return inFrame_; }

  // Outside a frame nothing is handed out. A request that no buffer has room
  // for gets a new overflow buffer of the batch size, or of its own size when
  // it is larger, so that no draw is dropped for its size.
  QLResultEnum Allocate(std::uint32_t count, Element** data, Range* range) {
    if (!inFrame_) return QL_FAIL;
    B* chosen = HasRoom(*main_, count) ? main_.get() : nullptr;
    // An overflow buffer passed over keeps its unused end for this frame:
    // each is passed once, so the frame's requests take constant time each.
    while (!chosen && currentOverflow_ < overflow_.size()) {
      B& candidate = *overflow_[currentOverflow_];
      if (HasRoom(candidate, count)) {
        chosen = &candidate;
      } else {
        ++currentOverflow_;
      }
    }
    if (!chosen) {
      std::unique_ptr<B> created;
      if (const QLResultEnum result = B::Create(render_, std::max(batch_, count), created); result != QL_OK) {
        return result;
      }
      chosen = overflow_.emplace_back(std::move(created)).get();
    }
    Buffer& buffer = *chosen->GetImpl();
    if (buffer.IsNotLocked()) {
      if (const QLResultEnum result = buffer.Lock(); result != QL_OK) return result;
    }
    range->first = buffer.GetUsed();
    range->count = count;
    range->buffer = chosen;
    void* granted = nullptr;
    std::uint32_t grantedCount = 0;
    if (const QLResultEnum result = buffer.Allocate(count, &granted, &grantedCount); result != QL_OK) return result;
    *data = static_cast<Element*>(granted);
    return grantedCount < count ? QL_FAIL : QL_OK;
  }

  B* GetMainBuffer() const { return main_.get(); }
  std::size_t GetOverflowCount() const { return overflow_.size(); }

 private:
  BufferDoubleCache(Render& render, std::unique_ptr<B> main, std::uint32_t batch)
      : render_(render), main_(std::move(main)), batch_(batch) {}

  static bool HasRoom(const B& candidate, std::uint32_t count) {
    const Buffer& buffer = *candidate.GetImpl();
    return buffer.GetCapacity() - buffer.GetUsed() >= count;
  }

  static QLResultEnum Unlock(const B& candidate) {
    Buffer& buffer = *candidate.GetImpl();
    return buffer.IsNotLocked() ? QL_OK : buffer.Unlock();
  }

  Render& render_;
  bool inFrame_ = false;
  std::unique_ptr<B> main_;
  std::uint32_t batch_;
  std::vector<std::unique_ptr<B>> overflow_;
  // The overflow buffer this frame is filling; those before it are full.
  std::size_t currentOverflow_ = 0;
};

// The Render keeps its vertex caches by format id; this is the cache of T.
template <class T>
BufferDoubleCache<VertexBuffer<T>>* VertexCacheOf(const Render& render) {
  return static_cast<BufferDoubleCache<VertexBuffer<T>>*>(render.GetVertexCache(T::formatId));
}

}  // namespace render
