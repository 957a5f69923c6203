#include "Core/Widget/WidgetListener.h"

#include "Core/Layer/Layer.h"
#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/Widget.h"

namespace widget {

namespace {

QLResultEnum EndCapture(MouseCapture& capture) {
  Widget* widget = capture.widget;
  if (!widget) return QL_OK;
  widget->SetCaptured(false);
  capture.widget = nullptr;
  capture.layer = nullptr;
  Frame* frame = widget->GetFrame();
  FrameManager* manager = frame ? frame->GetManager() : nullptr;
  return manager ? manager->RepeatMouseMove() : QL_OK;
}

}  // namespace

QLResultEnum WidgetListener::OnUpdate(float) { return QL_OK; }
QLResultEnum WidgetListener::OnDrawBefore(render::Graphics*, layer::Layer*) { return QL_OK; }
QLResultEnum WidgetListener::OnDrawAfter(render::Graphics*, layer::Layer*) { return QL_OK; }
QLResultEnum WidgetListener::OnAttach() { return QL_OK; }
QLResultEnum WidgetListener::OnDetach() { return QL_OK; }
QLResultEnum WidgetListener::OnShow() { return QL_OK; }
QLResultEnum WidgetListener::OnHide() { return QL_OK; }
QLResultEnum WidgetListener::OnHoverChanged(bool) { return QL_OK; }
QLResultEnum WidgetListener::OnHoverPathChanged(bool) { return QL_OK; }
QLResultEnum WidgetListener::OnDisabledChanged(bool) { return QL_OK; }
QLResultEnum WidgetListener::OnKeyDown(int) { return QL_OK; }
QLResultEnum WidgetListener::OnKeyUp(int) { return QL_OK; }
QLResultEnum WidgetListener::OnChar(char16_t) { return QL_OK; }
QLResultEnum WidgetListener::OnCapturedMouseDown(MouseCapture&, const math::Point3&, int) { return QL_OK; }
QLResultEnum WidgetListener::OnCapturedMouseDoubleClick(MouseCapture&, const math::Point3&, int) { return QL_OK; }
QLResultEnum WidgetListener::OnCapturedMouseWheel(MouseCapture&, const math::Point3&, std::int16_t) { return QL_OK; }

QLResultEnum WidgetListener::OnCapturedMouseUp(MouseCapture& capture, const math::Point3&, int) {
  return EndCapture(capture);
}

QLResultEnum WidgetListener::OnCaptureCancelled(MouseCapture& capture) { return EndCapture(capture); }

QLResultEnum WidgetListener::OnCapturedMouseMove(MouseCapture& capture, const math::Point3& point) {
  Widget* widget = capture.widget;
  if (!widget || !widget->TakesCapturedMoves() || !widget->GetLayer()) return QL_OK;
  bool handled = false;
  return widget->GetLayer()->HitTestMoveFrom(point.x, point.y, handled);
}

QLResultEnum WidgetListener::OnCapturedMouseDrag(MouseCapture& capture, const math::Point3& point) {
  Widget* widget = capture.widget;
  if (!widget || !widget->TakesCapturedMoves() || !widget->GetLayer()) return QL_OK;
  Frame* frame = widget->GetFrame();
  if (frame) frame->GetLayer()->UpdateBounds();
  bool handled = false;
  if (const QLResultEnum result = widget->GetLayer()->HitTestDragFrom(point.x, point.y, handled)) return result;
  if (!handled && frame) return frame->SetHoverWidget(nullptr);
  return QL_OK;
}

}  // namespace widget
