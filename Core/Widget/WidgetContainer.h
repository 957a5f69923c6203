#pragma once

#include <list>
#include <unordered_map>

#include "Core/Base/Result.h"

namespace widget {

class Widget;

// A list of child widgets, owned only when removed with deletion. A child is
// found and taken out in constant time wherever it is in the list.
class WidgetContainer {
 public:
  using Widgets = std::list<Widget*>;

  WidgetContainer() = default;
  virtual ~WidgetContainer() = default;
  WidgetContainer(const WidgetContainer&) = delete;
  WidgetContainer& operator=(const WidgetContainer&) = delete;

  virtual QLResultEnum AddWidget(Widget* widget);
  // Empties the list; with deleteChildren the children are deleted, with
  // recursive each child empties its own list first.
  virtual QLResultEnum RemoveAll(bool deleteChildren, bool recursive);

  const Widgets& GetWidgets() const { return widgets_; }
  bool Contains(const Widget* widget) const;

 protected:
  // QL_FAIL when the widget is not in the list.
  QLResultEnum RemoveWidget(Widget* widget);
  // A child taken out of the list without being deleted.
  virtual void Release(Widget*) {}

 private:
  Widgets widgets_;
  std::unordered_map<const Widget*, Widgets::iterator> places_;
};

}  // namespace widget
