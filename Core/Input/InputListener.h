#pragma once

#include "Core/Base/Result.h"
#include "Core/Input/Point.h"
#include "Core/Input/Touch.h"

namespace input {

// Receives every keyboard and mouse event. Points are in design coordinates
// and refer to the input's own storage: copy one to keep it past the call.
// Buttons are 1 (left) and 3 (right); keys are engine key codes; characters
// are UTF-16 units. The slot order is part of the interface.
class InputListener {
 public:
  virtual ~InputListener() = default;

  virtual QLResultEnum OnMouseDown(const Point& point, int button) = 0;
  virtual QLResultEnum OnMouseUp(const Point& point, int button) = 0;
  virtual QLResultEnum OnMouseDoubleClick(const Point& point, int button) = 0;
  // A move with no button down.
  virtual QLResultEnum OnMouseMove(const Point& point) = 0;
  // A move with a button down.
  virtual QLResultEnum OnMouseDrag(const Point& point) = 0;
  // The delta is 120 per notch, negative when turned towards the user.
  virtual QLResultEnum OnMouseWheel(const Point& point, int delta) = 0;
  virtual QLResultEnum OnMouseLeave(const Point& point) = 0;
  // Once per press, not on auto-repeat.
  virtual QLResultEnum OnKeyDown(int key) = 0;
  virtual QLResultEnum OnKeyUp(int key) = 0;
  virtual QLResultEnum OnChar(char16_t unit) = 0;
  virtual QLResultEnum OnTouchBegin(const Touch& touch) = 0;
  virtual QLResultEnum OnTouchMove(const Touch& touch) = 0;
  virtual QLResultEnum OnTouchEnd(const Touch& touch) = 0;
  virtual QLResultEnum OnTouchCancel(const Touch& touch) = 0;
  // The buttons held went up where the program cannot see it, as when the
  // window loses the focus: what they pressed ends without a click.
  virtual QLResultEnum OnMouseCancel(const Point& point) = 0;
};

}  // namespace input
