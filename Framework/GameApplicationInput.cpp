#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/Widget.h"
#include "Core/Widget/WidgetListener.h"
#include "Framework/GameApplication.h"

namespace framework {

namespace {

// The listener of the active frame's keyboard focus, if there is one.
widget::WidgetListener* FocusListener(const widget::FrameManager* frames) {
  const widget::Frame* active = frames ? frames->GetActiveFrame() : nullptr;
  const widget::Widget* focus = active ? active->GetFocusWidget() : nullptr;
  return focus ? focus->GetListener() : nullptr;
}

}  // namespace

QLResultEnum GameApplication::OnMouseDown(const input::Point& point, int button) {
  return frameManager_ ? frameManager_->OnMouseDown(point, button) : QL_OK;
}

QLResultEnum GameApplication::OnMouseUp(const input::Point& point, int button) {
  return frameManager_ ? frameManager_->OnMouseUp(point, button) : QL_OK;
}

QLResultEnum GameApplication::OnMouseDoubleClick(const input::Point& point, int button) {
  return frameManager_ ? frameManager_->OnMouseDoubleClick(point, button) : QL_OK;
}

QLResultEnum GameApplication::OnMouseMove(const input::Point& point) {
  return frameManager_ ? frameManager_->OnMouseMove(point) : QL_OK;
}

QLResultEnum GameApplication::OnMouseDrag(const input::Point& point) {
  return frameManager_ ? frameManager_->OnMouseDrag(point) : QL_OK;
}

QLResultEnum GameApplication::OnMouseWheel(const input::Point& point, int delta) {
  return frameManager_ ? frameManager_->OnMouseWheel(point, static_cast<std::int16_t>(delta)) : QL_OK;
}

QLResultEnum GameApplication::OnMouseLeave(const input::Point&) { return QL_OK; }

QLResultEnum GameApplication::OnKeyDown(int key) {
  widget::WidgetListener* listener = FocusListener(frameManager_.get());
  return listener ? listener->OnKeyDown(key) : QL_OK;
}

QLResultEnum GameApplication::OnKeyUp(int key) {
  widget::WidgetListener* listener = FocusListener(frameManager_.get());
  return listener ? listener->OnKeyUp(key) : QL_OK;
}

QLResultEnum GameApplication::OnChar(char16_t unit) {
  widget::WidgetListener* listener = FocusListener(frameManager_.get());
  return listener ? listener->OnChar(unit) : QL_OK;
}

// A touch is the left button at the first touch point.
QLResultEnum GameApplication::OnTouchBegin(const input::Touch& touch) { return OnMouseDown(touch.point, 1); }

QLResultEnum GameApplication::OnTouchMove(const input::Touch& touch) { return OnMouseDrag(touch.point); }

QLResultEnum GameApplication::OnTouchEnd(const input::Touch& touch) { return OnMouseUp(touch.point, 1); }

QLResultEnum GameApplication::OnTouchCancel(const input::Touch& touch) { return OnMouseUp(touch.point, 1); }

QLResultEnum GameApplication::OnMouseCancel(const input::Point&) {
  return frameManager_ ? frameManager_->OnMouseCancel() : QL_OK;
}

}  // namespace framework
