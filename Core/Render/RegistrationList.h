#pragma once

#include <list>
#include <unordered_map>

namespace render {

// The objects registered with a Render, in the order they came. Adding and
// removing take constant time, so making and dropping many textures does not
// grow with how many are alive.
template <class T>
class RegistrationList {
 public:
  void Add(T* object) { positions_.try_emplace(object, order_.insert(order_.end(), object)); }

  void Remove(T* object) {
    const auto found = positions_.find(object);
    if (found == positions_.end()) return;
    order_.erase(found->second);
    positions_.erase(found);
  }

  auto begin() const { return order_.begin(); }
  auto end() const { return order_.end(); }
  std::size_t size() const { return order_.size(); }

 private:
  std::list<T*> order_;
  std::unordered_map<T*, typename std::list<T*>::iterator> positions_;
};

}  // namespace render
