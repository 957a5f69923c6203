#pragma once

#include <cstdint>

namespace layer {

// One tag per kind of mouse event the walk delivers, carrying its argument.
// A double click travels as a press.
struct OnMouseDown {
  int button;
};
struct OnMouseUp {
  int button;
};
struct OnMouseMove {};
// A move with a button held.
struct OnMouseDrag {};
struct OnMouseWheel {
  std::int16_t delta;
};

}  // namespace layer
