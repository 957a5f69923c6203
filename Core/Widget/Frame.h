#pragma once

#include "Core/Widget/Widget.h"

namespace layer {
class RectHitLayer;
}

namespace widget {

// A top-level widget: what the frame manager stacks. Its layer is an
// invisible rectangle that catches the mouse over the frame's area; it keeps
// the hover widget and the keyboard focus of its tree.
class Frame : public Widget {
 public:
  Frame();
  // Leaves the frame manager's stack and queues, so that it is not reached
  // there once gone.
  ~Frame() override;

  static const WidgetClassType& ClassType();
  const WidgetClassType& GetClassType() const override { return ClassType(); }

  // Set by the frame manager while the frame is on its stack.
  FrameManager* GetManager() const { return manager_; }
  void SetManager(FrameManager* manager) { manager_ = manager; }
  layer::RectHitLayer* GetRectLayer() const { return hitLayer_; }
  void SetRect(float x, float y, float width, float height);

  // The frame manager sets it and tells the frame.
  bool IsActive() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  virtual QLResultEnum OnActivate();
  virtual QLResultEnum OnDeactivate();

  Widget* GetHoverWidget() const { return hoverWidget_; }
  // Tells the old and the new hover widget and the ancestors that are not
  // shared between them; the manager's hover frame follows.
  QLResultEnum SetHoverWidget(Widget* widget);
  Widget* GetFocusWidget() const { return focusWidget_; }
  void SetFocusWidget(Widget* widget) { focusWidget_ = widget; }

  // A widget of this frame is about to go: the hover, the focus and the
  // mouse capture let go of it and of everything below it.
  void ForgetSubtree(Widget& widget);

 private:
  FrameManager* manager_ = nullptr;
  layer::RectHitLayer* hitLayer_;
  bool active_ = false;
  Widget* hoverWidget_ = nullptr;
  Widget* focusWidget_;
};

}  // namespace widget
