#pragma once

#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"

namespace testing_support {

// Input for a window whose events nobody reads: window and design
// coordinates are the same and every event is dropped.
class IgnoredInput : public input::InputListener, public input::CoordConverter {
 public:
  input::Point ToDesign(input::Point window) const override { return window; }
  QLResultEnum OnMouseDown(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseUp(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseDoubleClick(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseMove(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseDrag(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseWheel(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseLeave(const input::Point&) override { return QL_OK; }
  QLResultEnum OnKeyDown(int) override { return QL_OK; }
  QLResultEnum OnKeyUp(int) override { return QL_OK; }
  QLResultEnum OnChar(char16_t) override { return QL_OK; }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchMove(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnMouseCancel(const input::Point&) override { return QL_OK; }
};

}  // namespace testing_support
