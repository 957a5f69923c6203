#include "Core/Widget/WidgetContainer.h"

#include <algorithm>
#include <utility>

#include "Core/Widget/Widget.h"

namespace widget {

QLResultEnum WidgetContainer::AddWidget(Widget* widget) {
  widgets_.push_back(widget);
  return QL_OK;
}

bool WidgetContainer::Contains(const Widget* widget) const {
  return std::find(widgets_.begin(), widgets_.end(), widget) != widgets_.end();
}

QLResultEnum WidgetContainer::RemoveWidget(Widget* widget) {
  const auto found = std::find(widgets_.begin(), widgets_.end(), widget);
  if (found == widgets_.end()) return QL_FAIL;
  widgets_.erase(found);
  return QL_OK;
}

QLResultEnum WidgetContainer::RemoveAll(bool deleteChildren, bool recursive) {
  // The list is taken first: a child being deleted looks for itself in it.
  std::vector<Widget*> children = std::exchange(widgets_, {});
  for (std::size_t i = 0; i < children.size(); ++i) {
    Widget* child = children[i];
    if (recursive) {
      if (const QLResultEnum result = child->RemoveAll(deleteChildren, recursive)) {
        // What was not yet removed stays a child.
        widgets_.insert(widgets_.begin(), children.begin() + static_cast<std::ptrdiff_t>(i), children.end());
        return result;
      }
    }
    if (deleteChildren) {
      delete child;
    } else {
      Release(child);
    }
  }
  return QL_OK;
}

}  // namespace widget
