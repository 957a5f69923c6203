#include "Core/Widget/Frame.h"

#include <algorithm>
#include <vector>

#include "Core/Layer/RectHitLayer.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/WidgetListener.h"

namespace widget {
namespace {

// Parent first, up to the widget without a parent.
std::vector<Widget*> AncestorsOf(Widget* widget) {
  std::vector<Widget*> ancestors;
  if (!widget) return ancestors;
  for (Widget* parent = widget->GetParent(); parent; parent = parent->GetParent()) ancestors.push_back(parent);
  return ancestors;
}

}  // namespace

Frame::Frame() : hitLayer_(new layer::RectHitLayer), focusWidget_(this) {
  SetLayer(hitLayer_, true, true);
  SetOwnFrame(this);
}

Frame::~Frame() {
  if (manager_) manager_->ForgetFrame(*this);
  SetOwnFrame(nullptr);
}

const WidgetClassType& Frame::ClassType() {
  static const WidgetClassType type(&Widget::ClassType());
  return type;
}

void Frame::SetRect(float x, float y, float width, float height) { hitLayer_->SetRect(x, y, width, height); }

QLResultEnum Frame::OnActivate() { return QL_OK; }
QLResultEnum Frame::OnDeactivate() { return QL_OK; }

QLResultEnum Frame::SetHoverWidget(Widget* widget) {
  Widget* old = hoverWidget_;
  if (widget == old) return QL_OK;
  const std::vector<Widget*> newAncestors = AncestorsOf(widget);
  const std::vector<Widget*> oldAncestors = AncestorsOf(old);
  // The part of both chains counted from the root end that is the same.
  std::size_t shared = 0;
  while (shared < newAncestors.size() && shared < oldAncestors.size() &&
         newAncestors[newAncestors.size() - 1 - shared] == oldAncestors[oldAncestors.size() - 1 - shared]) {
    ++shared;
  }

  if (old) {
    old->hovered_ = false;
    if (old->listener_) {
      if (const QLResultEnum result = old->listener_->OnHoverChanged(false)) return result;
    }
  }
  for (std::size_t i = 0; i + shared < oldAncestors.size(); ++i) {
    Widget* ancestor = oldAncestors[i];
    ancestor->onHoverPath_ = false;
    if (ancestor->listener_) {
      if (const QLResultEnum result = ancestor->listener_->OnHoverPathChanged(false)) return result;
    }
  }

  hoverWidget_ = widget;
  if (manager_ && widget) {
    Frame* hoverFrame = manager_->GetHoverFrame();
    if (hoverFrame && hoverFrame != this) {
      if (const QLResultEnum result = hoverFrame->SetHoverWidget(nullptr)) return result;
    }
    manager_->SetHoverFrame(this);
  }

  if (widget) {
    widget->hovered_ = true;
    if (widget->listener_) {
      if (const QLResultEnum result = widget->listener_->OnHoverChanged(true)) return result;
    }
  }
  for (std::size_t i = 0; i + shared < newAncestors.size(); ++i) {
    Widget* ancestor = newAncestors[i];
    ancestor->onHoverPath_ = true;
    if (ancestor->listener_) {
      if (const QLResultEnum result = ancestor->listener_->OnHoverPathChanged(true)) return result;
    }
  }
  return QL_OK;
}

void Frame::ForgetSubtree(Widget& widget) {
  if (hoverWidget_ && hoverWidget_->IsWithin(widget)) SetHoverWidget(nullptr);
  if (focusWidget_ && focusWidget_->IsWithin(widget)) focusWidget_ = nullptr;
  if (manager_) manager_->ForgetCaptureIn(widget);
}

}  // namespace widget
