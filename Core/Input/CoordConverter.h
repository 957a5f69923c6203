#pragma once

#include "Core/Input/Point.h"

namespace input {

// Maps window client coordinates into the design space the game is laid out
// in, whatever the window's size.
class CoordConverter {
 public:
  virtual ~CoordConverter() = default;

  virtual Point ToDesign(Point window) const = 0;
};

}  // namespace input
