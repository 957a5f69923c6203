#pragma once

namespace widget {

// The identity of a widget class and of the chain of classes it derives from,
// so that a type test answers at any depth of that chain.
class WidgetClassType {
 public:
  // The root of every chain.
  WidgetClassType() = default;
  explicit WidgetClassType(const WidgetClassType* parent) : parent_(parent), level_(parent->level_ + 1) {}
  WidgetClassType(const WidgetClassType&) = delete;
  WidgetClassType& operator=(const WidgetClassType&) = delete;

  // Whether this class is the other one or derives from it.
  bool IsKindOf(const WidgetClassType& other) const;
  int GetLevel() const { return level_; }

 private:
  const WidgetClassType* parent_ = nullptr;
  int level_ = 0;
};

}  // namespace widget
