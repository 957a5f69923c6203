#include "Core/Widget/WidgetClassType.h"

namespace widget {

bool WidgetClassType::IsKindOf(const WidgetClassType& other) const {
  for (const WidgetClassType* type = this; type; type = type->parent_) {
    if (type == &other) return true;
  }
  return false;
}

}  // namespace widget
