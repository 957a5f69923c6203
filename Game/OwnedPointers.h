#pragma once

#include <algorithm>
#include <vector>

// Owners keep their objects in vectors of raw pointers; these free them.
// Elements are deleted front first, so a destructor that looks at the list
// sees only the elements after it (in reverse order: taking each from the
// back keeps emptying a long list linear).

template <class T>
void DeleteAllPointers(std::vector<T*>& list) {
  std::reverse(list.begin(), list.end());
  while (!list.empty()) {
    T* front = list.back();
    list.pop_back();
    delete front;
  }
}

template <class T>
void DeleteAllPointersAndFree(std::vector<T*>& list) {
  DeleteAllPointers(list);
  list.shrink_to_fit();
}

// Nothing happens when the pointer is not in the list.
template <class T>
void RemoveAndDeletePointer(std::vector<T*>& list, T* pointer) {
  const auto found = std::find(list.begin(), list.end(), pointer);
  if (found == list.end()) return;
  list.erase(found);
  delete pointer;
}

// Deletes the elements for which the predicate holds, after taking them out
// of the list; the others keep their order.
template <class T, class Predicate>
void DeletePointersIf(std::vector<T*>& list, Predicate shouldGo) {
  std::vector<T*> gone;
  const auto kept = std::remove_if(list.begin(), list.end(), [&](T* element) {
    if (!shouldGo(element)) return false;
    gone.push_back(element);
    return true;
  });
  list.erase(kept, list.end());
  for (T* element : gone) delete element;
}
