#pragma once

namespace input {

// A mouse position: window client pixels on the way in, design units once
// converted.
struct Point {
  float x = 0;
  float y = 0;
};

}  // namespace input
