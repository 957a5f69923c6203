#pragma once

#include "Core/Base/Delegate.h"
#include "Core/Base/SharedRef.h"
#include "Core/Widget/Widget.h"

namespace widget {

class Button;
class WidgetMediator;

// Told of every click of the buttons it listens to.
class ButtonListener {
 public:
  virtual ~ButtonListener() = default;
  virtual QLResultEnum OnButtonClick(Button* button);
};

enum ButtonState : int { kButtonNormal = 0, kButtonHover = 1, kButtonPressed = 2 };

// A widget clicked by a press and a release over it. Its mediator turns the
// mouse into visual states; the concrete control draws them.
class Button : public Widget {
 public:
  using ClickDelegate = base::Delegate1<Button*, QLResultEnum>;

  Button();
  ~Button() override;

  static const WidgetClassType& ClassType();
  const WidgetClassType& GetClassType() const override { return ClassType(); }

  // The click delegate first, then the listener; a failure of the delegate
  // keeps the listener from hearing of the click.
  virtual QLResultEnum Click();

  WidgetMediator* GetMediator() const { return mediator_; }
  // An owned previous mediator is deleted.
  void SetMediator(WidgetMediator* mediator, bool owns);
  ButtonListener* GetButtonListener() const { return buttonListener_; }
  void SetButtonListener(ButtonListener* listener) { buttonListener_ = listener; }
  void SetClickDelegate(const base::SharedRef<ClickDelegate>& click) { click_ = click; }
  int GetVisualState() const { return visualState_; }
  void SetVisualState(int state) { visualState_ = state; }

 private:
  WidgetMediator* mediator_ = nullptr;
  bool ownsMediator_ = false;
  ButtonListener* buttonListener_ = nullptr;
  base::SharedRef<ClickDelegate> click_;
  int visualState_ = kButtonNormal;
};

}  // namespace widget
