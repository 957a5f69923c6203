#include "Core/Widget/ButtonMediator.h"

#include "Core/Widget/Button.h"

namespace widget {

QLResultEnum ButtonMediator::Attach(Button* button, bool owned) {
  button_ = button;
  button->SetListener(this, true);
  button->SetMediator(this, owned);
  SetMediatedWidget(button);
  SetWidget(button);
  return QL_OK;
}

QLResultEnum ButtonMediator::ShowState(int) { return QL_OK; }

QLResultEnum ButtonMediator::SetState(int state) {
  if (!button_ || button_->GetVisualState() == state) return QL_OK;
  if (const QLResultEnum result = ShowState(state)) return result;
  button_->SetVisualState(state);
  return QL_OK;
}

QLResultEnum ButtonMediator::OnHoverChanged(bool hovered) {
  if (!hovered || !button_ || button_->IsDisabled()) return SetState(kButtonNormal);
  return SetState(button_->IsCaptured() ? kButtonPressed : kButtonHover);
}

QLResultEnum ButtonMediator::OnDisabledChanged(bool disabled) {
  if (disabled || !button_) return SetState(kButtonNormal);
  return SetState(button_->IsHovered() ? kButtonHover : kButtonNormal);
}

QLResultEnum ButtonMediator::OnCapturedMouseUp(MouseCapture& capture, const math::Point3& point, int button) {
  if (const QLResultEnum result = WidgetListener::OnCapturedMouseUp(capture, point, button)) return result;
  if (!button_ || !button_->IsHovered()) return SetState(kButtonNormal);
  if (const QLResultEnum result = SetState(kButtonHover)) return result;
  return button_->Click();
}

QLResultEnum ButtonMediator::OnCaptureCancelled(MouseCapture& capture) {
  if (const QLResultEnum result = WidgetListener::OnCaptureCancelled(capture)) return result;
  // No longer captured, the button shows what the pointer over it shows.
  return OnHoverChanged(button_ && button_->IsHovered());
}

QLResultEnum ButtonMediator::OnWidgetMouseDown(const math::Point3&, int) { return SetState(kButtonPressed); }

void ButtonMediator::GetCaptureInfo(const math::Point3& point, MouseCapture& capture) {
  capture.Set(button_, button_ ? button_->GetLayer() : nullptr, point, true);
}

}  // namespace widget
