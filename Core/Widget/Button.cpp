#include "Core/Widget/Button.h"

#include "Core/Widget/WidgetMediator.h"

namespace widget {

QLResultEnum ButtonListener::OnButtonClick(Button*) { return QL_OK; }

Button::Button() { SetCapturesOnPress(true); }

Button::~Button() {
  if (ownsMediator_) delete mediator_;
}

const WidgetClassType& Button::ClassType() {
  static const WidgetClassType type(&Widget::ClassType());
  return type;
}

QLResultEnum Button::Click() {
  if (click_) {
    if (const QLResultEnum result = click_->Invoke(this)) return result;
  }
  return buttonListener_ ? buttonListener_->OnButtonClick(this) : QL_OK;
}

void Button::SetMediator(WidgetMediator* mediator, bool owns) {
  if (ownsMediator_ && mediator_ != mediator) delete mediator_;
  mediator_ = mediator;
  ownsMediator_ = owns;
}

}  // namespace widget
