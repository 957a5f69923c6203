#pragma once

#include "Core/Input/Point.h"

namespace input {

// One finger of a touch screen; the id follows it from begin to end.
struct Touch {
  int id = 0;
  Point point;
};

}  // namespace input
