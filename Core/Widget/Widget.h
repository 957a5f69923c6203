#pragma once

#include "Core/Base/Result.h"
#include "Core/Widget/DeferredDeletable.h"
#include "Core/Widget/WidgetClassType.h"
#include "Core/Widget/WidgetContainer.h"

namespace layer {
class Layer;
}

namespace widget {

class Frame;
class FrameManager;
class WidgetListener;

// An interactive object on the layer tree: it owns or borrows one layer, sits
// in a tree of widgets inside a top-level frame, and hears everything but the
// mouse walk through its listener. Disabling passes down to the children.
class Widget : public WidgetContainer, public base::DeferredDeletable {
 public:
  Widget() = default;
  // Leaves its parent, orphans its children and is forgotten by its frame's
  // hover and focus and by the mouse capture, so that nothing points at it.
  // The children are not deleted; its listener hears nothing more.
  ~Widget() override;

  // The child joins this widget's frame and, when that frame is shown, is
  // shown too; its layer goes under parentLayer, by default this widget's.
  // A child without a layer, or that already has a parent, is refused.
  virtual QLResultEnum AddChild(Widget* child, layer::Layer* parentLayer = nullptr);
  // Hides and detaches the child, then takes it out. A widget that is not a
  // child is left alone and QL_FAIL returned.
  virtual QLResultEnum RemoveChild(Widget* child, bool clearFocus = true);

  static const WidgetClassType& ClassType();
  virtual const WidgetClassType& GetClassType() const { return ClassType(); }
  template <class T>
  bool IsKindOf() const {
    return GetClassType().IsKindOf(T::ClassType());
  }

  Widget* GetParent() const { return parent_; }
  Frame* GetFrame() const { return frame_; }
  // Whether this widget is other or lies below it.
  bool IsWithin(const Widget& other) const;

  WidgetListener* GetListener() const { return listener_; }
  // With hookDrawing the listener hears the drawing of the layer subtree.
  void SetListener(WidgetListener* listener, bool hookDrawing);
  layer::Layer* GetLayer() const { return layer_; }
  // An owned layer is deleted with the widget or when replaced.
  void SetLayer(layer::Layer* layer, bool owns, bool hookDrawing);

  // Attaches the subtree to a frame, or detaches it with none.
  QLResultEnum SetFrame(Frame* frame);
  // Tells the subtree that its frame was shown by a manager, or hidden.
  QLResultEnum SetShown(FrameManager* manager);
  QLResultEnum UpdateTree(float dt);
  // The frame's hover and keyboard focus let go of this subtree.
  QLResultEnum ClearFocusIn();

  bool IsDisabled() const { return disabled_ || disabledByParent_; }
  bool IsDisabledByParent() const { return disabledByParent_; }
  // The widget's own listener is not told; its descendants' are.
  QLResultEnum SetDisabled(bool disabled);

  bool CapturesOnPress() const { return capturesOnPress_; }
  void SetCapturesOnPress(bool captures) { capturesOnPress_ = captures; }
  bool TakesCapturedMoves() const { return takesCapturedMoves_; }
  void SetTakesCapturedMoves(bool takes) { takesCapturedMoves_ = takes; }
  bool IsCaptured() const { return captured_; }
  void SetCaptured(bool captured) { captured_ = captured; }
  bool IsHovered() const { return hovered_; }
  bool IsOnHoverPath() const { return onHoverPath_; }

 protected:
  void Release(Widget* child) override;
  // A frame is its own frame; it lets go of that before it goes.
  void SetOwnFrame(Frame* frame) { frame_ = frame; }

 private:
  friend class Frame;

  QLResultEnum PropagateDisabled();
  QLResultEnum SetDisabledByParent(bool disabled);
  // Out of the tree without notices: no parent, no frame below.
  void Orphan();
  void ForgetFrame();

  Widget* parent_ = nullptr;
  Frame* frame_ = nullptr;
  WidgetListener* listener_ = nullptr;
  layer::Layer* layer_ = nullptr;
  bool ownsLayer_ = false;
  bool capturesOnPress_ = false;
  bool takesCapturedMoves_ = true;
  bool disabled_ = false;
  bool disabledByParent_ = false;
  bool hovered_ = false;
  bool onHoverPath_ = false;
  bool captured_ = false;
};

}  // namespace widget
