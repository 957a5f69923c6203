#include "Core/Widget/WidgetHitTestListener.h"

#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/Widget.h"

namespace widget {

QLResultEnum WidgetHitTestListener::ActivateFrame() {
  Frame* frame = widget_ ? widget_->GetFrame() : nullptr;
  FrameManager* manager = frame ? frame->GetManager() : nullptr;
  return manager ? manager->ActivateFrame(frame) : QL_OK;
}

QLResultEnum WidgetHitTestListener::Hover() {
  Frame* frame = widget_ ? widget_->GetFrame() : nullptr;
  return frame ? frame->SetHoverWidget(widget_) : QL_OK;
}

QLResultEnum WidgetHitTestListener::OnMouseDown(const math::Point3& point, int button) {
  if (const QLResultEnum result = ActivateFrame()) return result;
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  if (widget_->CapturesOnPress()) {
    Frame* frame = widget_->GetFrame();
    if (FrameManager* manager = frame ? frame->GetManager() : nullptr) {
      GetCaptureInfo(point, manager->GetCapture());
      widget_->SetCaptured(true);
    }
  }
  return OnWidgetMouseDown(point, button);
}

QLResultEnum WidgetHitTestListener::OnMouseUp(const math::Point3& point, int button) {
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  return OnWidgetMouseUp(point, button);
}

QLResultEnum WidgetHitTestListener::OnMouseDoubleClick(const math::Point3& point, int button) {
  if (const QLResultEnum result = ActivateFrame()) return result;
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  return OnWidgetMouseDoubleClick(point, button);
}

QLResultEnum WidgetHitTestListener::OnMouseMove(const math::Point3& point) {
  if (const QLResultEnum result = Hover()) return result;
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  return OnWidgetMouseMove(point);
}

QLResultEnum WidgetHitTestListener::OnMouseDrag(const math::Point3& point) {
  if (const QLResultEnum result = Hover()) return result;
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  return OnWidgetMouseDrag(point);
}

QLResultEnum WidgetHitTestListener::OnMouseWheel(const math::Point3& point, std::int16_t delta) {
  if (!widget_ || widget_->IsDisabled()) return QL_OK;
  return OnWidgetMouseWheel(point, delta);
}

QLResultEnum WidgetHitTestListener::OnWidgetMouseDown(const math::Point3&, int) { return QL_OK; }
QLResultEnum WidgetHitTestListener::OnWidgetMouseUp(const math::Point3&, int) { return QL_OK; }
QLResultEnum WidgetHitTestListener::OnWidgetMouseDoubleClick(const math::Point3&, int) { return QL_OK; }
QLResultEnum WidgetHitTestListener::OnWidgetMouseMove(const math::Point3&) { return QL_OK; }
QLResultEnum WidgetHitTestListener::OnWidgetMouseDrag(const math::Point3&) { return QL_OK; }
QLResultEnum WidgetHitTestListener::OnWidgetMouseWheel(const math::Point3&, std::int16_t) { return QL_OK; }

void WidgetHitTestListener::GetCaptureInfo(const math::Point3& point, MouseCapture& capture) {
  capture.Set(widget_, GetDispatchingLayer(), point, true);
}

}  // namespace widget
