#pragma once

#include "Core/Layer/HitTestListener.h"
#include "Core/Widget/MouseCapture.h"

namespace widget {

class Widget;

// The mouse handlers of a widget's layer: a press activates the widget's
// frame and may start a capture, a move makes the widget the hover widget,
// and a disabled widget takes the event without reacting. The state is left
// alone, so the widget always takes the event.
class WidgetHitTestListener : public layer::HitTestListener {
 public:
  explicit WidgetHitTestListener(Widget* widget = nullptr) : widget_(widget) {}

  Widget* GetWidget() const { return widget_; }
  void SetWidget(Widget* widget) { widget_ = widget; }

  QLResultEnum OnMouseDown(const math::Point3& point, int button) override;
  QLResultEnum OnMouseUp(const math::Point3& point, int button) override;
  QLResultEnum OnMouseDoubleClick(const math::Point3& point, int button) override;
  QLResultEnum OnMouseMove(const math::Point3& point) override;
  QLResultEnum OnMouseDrag(const math::Point3& point) override;
  QLResultEnum OnMouseWheel(const math::Point3& point, std::int16_t delta) override;

  // What the widget itself does with an event it took while enabled.
  virtual QLResultEnum OnWidgetMouseDown(const math::Point3& point, int button);
  virtual QLResultEnum OnWidgetMouseUp(const math::Point3& point, int button);
  virtual QLResultEnum OnWidgetMouseDoubleClick(const math::Point3& point, int button);
  virtual QLResultEnum OnWidgetMouseMove(const math::Point3& point);
  virtual QLResultEnum OnWidgetMouseDrag(const math::Point3& point);
  virtual QLResultEnum OnWidgetMouseWheel(const math::Point3& point, std::int16_t delta);
  // The capture a press starts: by default the widget, grabbed at the point
  // in the space of the dispatching layer's parent.
  virtual void GetCaptureInfo(const math::Point3& point, MouseCapture& capture);

 private:
  QLResultEnum ActivateFrame();
  QLResultEnum Hover();

  Widget* widget_;
};

}  // namespace widget
