#pragma once

#include "Core/Base/Delegate.h"
#include "Core/Base/SharedRef.h"
#include "Core/Widget/Widget.h"

namespace widget {

class Slider;

// Told of a slider's value: committed at the end of a drag, or tracked while
// it goes on.
class SliderListener {
 public:
  virtual ~SliderListener() = default;
  virtual QLResultEnum OnSliderChanged(Slider* slider, float value);
  virtual QLResultEnum OnSliderChanging(Slider* slider, float value);
};

// A widget holding a value between a minimum and a maximum. The value is
// not clamped: the concrete control decides what it allows. By default the
// slider listens to itself and passes the values on to its delegates.
class Slider : public Widget, public SliderListener {
 public:
  using ValueDelegate = base::Delegate2<Slider*, float, QLResultEnum>;

  Slider();

  static const WidgetClassType& ClassType();
  const WidgetClassType& GetClassType() const override { return ClassType(); }

  // Stores the value without telling anyone.
  QLResultEnum SetValue(float value, bool updateView);
  // The listener hears the value first; its failure keeps the old value.
  QLResultEnum CommitValue(float value, bool updateView);
  QLResultEnum TrackValue(float value, bool updateView);
  // Moves the knob to the value; the concrete control does.
  virtual QLResultEnum UpdateView();

  QLResultEnum OnSliderChanged(Slider* slider, float value) override;
  QLResultEnum OnSliderChanging(Slider* slider, float value) override;

  float GetValue() const { return value_; }
  float GetMinimum() const { return minimum_; }
  float GetMaximum() const { return maximum_; }
  void SetRange(float minimum, float maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
  }
  SliderListener* GetSliderListener() const { return listener_; }
  void SetSliderListener(SliderListener* listener) { listener_ = listener; }
  void SetChangedDelegate(const base::SharedRef<ValueDelegate>& changed) { changed_ = changed; }
  void SetChangingDelegate(const base::SharedRef<ValueDelegate>& changing) { changing_ = changing; }

 private:
  SliderListener* listener_;
  base::SharedRef<ValueDelegate> changed_;
  base::SharedRef<ValueDelegate> changing_;
  float minimum_ = 0.0f;
  float maximum_ = 1.0f;
  float value_ = 0.0f;
};

}  // namespace widget
