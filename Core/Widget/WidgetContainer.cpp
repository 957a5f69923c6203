#include "Core/Widget/WidgetContainer.h"

#include <utility>

#include "Core/Widget/Widget.h"

namespace widget {

QLResultEnum WidgetContainer::AddWidget(Widget* widget) {
  places_[widget] = widgets_.insert(widgets_.end(), widget);
  return QL_OK;
}

bool WidgetContainer::Contains(const Widget* widget) const { return places_.contains(widget); }

QLResultEnum WidgetContainer::RemoveWidget(Widget* widget) {
  const auto found = places_.find(widget);
  if (found == places_.end()) return QL_FAIL;
  widgets_.erase(found->second);
  places_.erase(found);
  return QL_OK;
}

QLResultEnum WidgetContainer::RemoveAll(bool deleteChildren, bool recursive) {
  // The list is taken first: a child being deleted looks for itself in it.
  Widgets children = std::exchange(widgets_, {});
  places_.clear();
  for (auto it = children.begin(); it != children.end(); ++it) {
    Widget* child = *it;
    if (recursive) {
      if (const QLResultEnum result = child->RemoveAll(deleteChildren, recursive)) {
        // What was not yet removed stays a child, before any added meanwhile.
        const auto addedMeanwhile = widgets_.begin();
        widgets_.splice(widgets_.begin(), children, it, children.end());
        for (auto kept = widgets_.begin(); kept != addedMeanwhile; ++kept) places_[*kept] = kept;
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
