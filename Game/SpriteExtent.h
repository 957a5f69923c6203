#pragma once

#include <cstddef>
#include <vector>

class SpriteDef;

struct SpriteExtent {
  float width = 0.0f;
  float height = 0.0f;
};

// The furthest right and bottom edges over every frame of every group: the
// size of a placed tower, enemy or projectile.
SpriteExtent GetSpriteExtent(const SpriteDef& sprite);

// The element at index, or the last when index is past the end: an animation
// that does not loop holds its last frame. Null for an empty list.
template <class T>
T* FrameAtOrLast(const std::vector<T*>& list, std::size_t index) {
  if (list.empty()) return nullptr;
  return index < list.size() ? list[index] : list.back();
}
