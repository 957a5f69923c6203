#pragma once

namespace widget {

class Widget;

// What drives a widget from the events of its layer; the widget may own it.
class WidgetMediator {
 public:
  virtual ~WidgetMediator() = default;

  Widget* GetMediatedWidget() const { return widget_; }
  void SetMediatedWidget(Widget* widget) { widget_ = widget; }

 private:
  Widget* widget_ = nullptr;
};

}  // namespace widget
