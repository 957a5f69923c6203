#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace render {

// A list that keeps its first N items in place and only goes to the heap for
// more, so that laying out an ordinary text allocates nothing. The places are
// left uninitialised until an item is pushed: a text of a few lines must not
// pay for clearing all N of them.
template <class T, std::size_t N>
class TextLayoutList {
  // Nothing is ever destroyed in place.
  static_assert(std::is_trivially_destructible_v<T> && std::is_trivially_copyable_v<T>);

 public:
  TextLayoutList() {}
  TextLayoutList(const TextLayoutList&) = delete;
  TextLayoutList& operator=(const TextLayoutList&) = delete;

  void PushBack(const T& item) {
    if (size_ < N) {
      std::construct_at(&fixed_[size_].item, item);
    } else {
      spill_.push_back(item);
    }
    ++size_;
  }

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  const T& operator[](std::size_t index) const { return index < N ? fixed_[index].item : spill_[index - N]; }

 private:
  union Place {
    Place() {}
    T item;
  };

  Place fixed_[N];
  std::vector<T> spill_;
  std::size_t size_ = 0;
};

}  // namespace render
