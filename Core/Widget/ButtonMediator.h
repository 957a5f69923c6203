#pragma once

#include "Core/Widget/WidgetHitTestListener.h"
#include "Core/Widget/WidgetListener.h"
#include "Core/Widget/WidgetMediator.h"

namespace widget {

class Button;

// Turns hover, press, release and disabling into the visual states of a
// button: normal, hover, pressed. A click needs the press and the release
// over the button: the release clicks only when the pointer, after the
// repeated move, still hovers it.
class ButtonMediator : public WidgetListener, public WidgetHitTestListener, public WidgetMediator {
 public:
  ButtonMediator() = default;

  // Becomes the button's listener (hearing its drawing) and its mediator,
  // and takes the button's mouse events wherever the control makes this
  // mediator the listener of the button's layers.
  virtual QLResultEnum Attach(Button* button, bool owned);
  // Draws a state; the concrete control does.
  virtual QLResultEnum ShowState(int state);

  Button* GetButton() const { return button_; }

  QLResultEnum OnHoverChanged(bool hovered) override;
  QLResultEnum OnDisabledChanged(bool disabled) override;
  QLResultEnum OnCapturedMouseUp(MouseCapture& capture, const math::Point3& point, int button) override;
  // The button leaves its pressed state without a click.
  QLResultEnum OnCaptureCancelled(MouseCapture& capture) override;
  QLResultEnum OnWidgetMouseDown(const math::Point3& point, int button) override;
  void GetCaptureInfo(const math::Point3& point, MouseCapture& capture) override;

 private:
  QLResultEnum SetState(int state);

  Button* button_ = nullptr;
};

}  // namespace widget
