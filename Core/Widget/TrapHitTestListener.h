#pragma once

#include "Core/Layer/HitTestListener.h"

namespace widget {

class Widget;

// Stops the mouse over its layer without reacting: a press only activates the
// owner's frame and a move only clears that frame's hover.
class TrapHitTestListener : public layer::HitTestListener {
 public:
  explicit TrapHitTestListener(Widget* owner) : owner_(owner) {}

  QLResultEnum OnMouseDown(const math::Point3& point, int button) override;
  QLResultEnum OnMouseDoubleClick(const math::Point3& point, int button) override;
  QLResultEnum OnMouseMove(const math::Point3& point) override;
  QLResultEnum OnMouseDrag(const math::Point3& point) override;

 private:
  QLResultEnum ActivateFrame();
  QLResultEnum ClearHover();

  Widget* owner_;
};

}  // namespace widget
