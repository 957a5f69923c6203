#include "Core/Widget/Slider.h"

namespace widget {

QLResultEnum SliderListener::OnSliderChanged(Slider*, float) { return QL_OK; }
QLResultEnum SliderListener::OnSliderChanging(Slider*, float) { return QL_OK; }

Slider::Slider() : listener_(this) { SetCapturesOnPress(true); }

const WidgetClassType& Slider::ClassType() {
  static const WidgetClassType type(&Widget::ClassType());
  return type;
}

QLResultEnum Slider::SetValue(float value, bool updateView) {
  value_ = value;
  return updateView ? UpdateView() : QL_OK;
}

QLResultEnum Slider::CommitValue(float value, bool updateView) {
  if (listener_) {
    if (const QLResultEnum result = listener_->OnSliderChanged(this, value)) return result;
  }
  return SetValue(value, updateView);
}

QLResultEnum Slider::TrackValue(float value, bool updateView) {
  if (listener_) {
    if (const QLResultEnum result = listener_->OnSliderChanging(this, value)) return result;
  }
  return SetValue(value, updateView);
}

QLResultEnum Slider::UpdateView() { return QL_OK; }

QLResultEnum Slider::OnSliderChanged(Slider* slider, float value) {
  return changed_ ? changed_->Invoke(slider, value) : QL_OK;
}

QLResultEnum Slider::OnSliderChanging(Slider* slider, float value) {
  return changing_ ? changing_->Invoke(slider, value) : QL_OK;
}

}  // namespace widget
