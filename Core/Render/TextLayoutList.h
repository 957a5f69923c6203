#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace render {

// A list that keeps its first N items in place and only goes to the heap for
// more, so that laying out an ordinary text allocates nothing.
template <class T, std::size_t N>
class TextLayoutList {
 public:
  void PushBack(const T& item) {
    if (size_ < N) {
      fixed_[size_] = item;
    } else {
      spill_.push_back(item);
    }
    ++size_;
  }

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  const T& operator[](std::size_t index) const { return index < N ? fixed_[index] : spill_[index - N]; }

 private:
  std::array<T, N> fixed_{};
  std::vector<T> spill_;
  std::size_t size_ = 0;
};

}  // namespace render
