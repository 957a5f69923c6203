#include "Core/Widget/Widget.h"

#include "Core/Base/DelegateBindings.h"
#include "Core/Base/LogMessage.h"
#include "Core/Layer/Layer.h"
#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/WidgetListener.h"

namespace widget {

Widget::~Widget() {
  listener_ = nullptr;
  if (frame_) frame_->ForgetSubtree(*this);
  if (parent_) parent_->RemoveWidget(this);
  for (Widget* child : GetWidgets()) child->Orphan();
  if (ownsLayer_) {
    delete layer_;
  } else if (layer_) {
    SetListener(nullptr, false);
  }
}

const WidgetClassType& Widget::ClassType() {
  static const WidgetClassType type;
  return type;
}

bool Widget::IsWithin(const Widget& other) const {
  for (const Widget* widget = this; widget; widget = widget->parent_) {
    if (widget == &other) return true;
  }
  return false;
}

void Widget::Orphan() {
  parent_ = nullptr;
  ForgetFrame();
}

void Widget::ForgetFrame() {
  frame_ = nullptr;
  for (Widget* child : GetWidgets()) child->ForgetFrame();
}

void Widget::Release(Widget* child) { child->Orphan(); }

QLResultEnum Widget::AddChild(Widget* child, layer::Layer* parentLayer) {
  if (!child || !child->layer_) {
    QL_LOG(u"Widget::AddChild: a child must have a layer\n");
    return QL_FAIL;
  }
  if (child->parent_) {
    QL_LOG(u"Widget::AddChild: the widget already has a parent\n");
    return QL_FAIL;
  }
  AddWidget(child);
  child->parent_ = this;
  if (frame_) {
    if (const QLResultEnum result = child->SetFrame(frame_)) return result;
    if (FrameManager* manager = frame_->GetManager()) {
      if (const QLResultEnum result = child->SetShown(manager)) return result;
    }
  }
  if (layer::Layer* target = parentLayer ? parentLayer : layer_) target->AddChild(child->layer_);
  if (IsDisabled() && !child->disabledByParent_) return child->SetDisabledByParent(true);
  return QL_OK;
}

QLResultEnum Widget::RemoveChild(Widget* child, bool clearFocus) {
  if (!child || !Contains(child)) {
    QL_LOG(u"Widget::RemoveChild: the widget is not a child\n");
    return QL_FAIL;
  }
  if (IsDisabled() && child->disabledByParent_) {
    if (const QLResultEnum result = child->SetDisabledByParent(false)) return result;
  }
  QLResultEnum detached = QL_OK;
  if (frame_) {
    if (clearFocus) detached = ClearFocusIn();
    FrameManager* manager = frame_->GetManager();
    if (!detached && manager && child->listener_) detached = child->listener_->OnHide();
    if (!detached && manager) {
      for (Widget* grandchild : child->GetWidgets()) {
        if ((detached = grandchild->SetShown(nullptr))) break;
      }
    }
    if (!detached && child->listener_) detached = child->listener_->OnDetach();
    if (!detached) {
      child->frame_ = nullptr;
      for (Widget* grandchild : child->GetWidgets()) {
        if ((detached = grandchild->SetFrame(nullptr))) break;
      }
    }
  }
  RemoveWidget(child);
  // Out of the tree whatever the notices said: no frame pointer is left behind.
  child->Orphan();
  if (layer::Layer* childLayer = child->layer_; childLayer && childLayer->GetParent()) {
    childLayer->GetParent()->RemoveChild(childLayer);
  }
  return detached;
}

void Widget::SetListener(WidgetListener* listener, bool hookDrawing) {
  listener_ = listener;
  if (!layer_) return;
  layer::Layer::DrawDelegateRef before;
  layer::Layer::DrawDelegateRef after;
  if (hookDrawing && listener) {
    using Hook = base::MemberDelegate2<WidgetListener, render::Graphics*, layer::Layer*, QLResultEnum>;
    before.Reset(new Hook(listener, &WidgetListener::OnDrawBefore));
    after.Reset(new Hook(listener, &WidgetListener::OnDrawAfter));
  }
  layer_->SetBeforeDraw(before);
  layer_->SetAfterDraw(after);
}

void Widget::SetLayer(layer::Layer* layer, bool owns, bool hookDrawing) {
  if (ownsLayer_ && layer_ != layer) delete layer_;
  layer_ = layer;
  ownsLayer_ = owns;
  SetListener(listener_, hookDrawing);
}

QLResultEnum Widget::SetFrame(Frame* frame) {
  if (frame) {
    frame_ = frame;
    if (listener_) {
      if (const QLResultEnum result = listener_->OnAttach()) return result;
    }
  } else {
    if (listener_) {
      if (const QLResultEnum result = listener_->OnDetach()) return result;
    }
    frame_ = nullptr;
  }
  for (Widget* child : GetWidgets()) {
    if (const QLResultEnum result = child->SetFrame(frame)) return result;
  }
  return QL_OK;
}

QLResultEnum Widget::SetShown(FrameManager* manager) {
  if (listener_) {
    if (const QLResultEnum result = manager ? listener_->OnShow() : listener_->OnHide()) return result;
  }
  for (Widget* child : GetWidgets()) {
    if (const QLResultEnum result = child->SetShown(manager)) return result;
  }
  return QL_OK;
}

QLResultEnum Widget::UpdateTree(float dt) {
  if (listener_) {
    if (const QLResultEnum result = listener_->OnUpdate(dt)) return result;
  }
  for (Widget* child : GetWidgets()) {
    if (const QLResultEnum result = child->UpdateTree(dt)) return result;
  }
  return QL_OK;
}

QLResultEnum Widget::ClearFocusIn() {
  if (!frame_) return QL_OK;
  if (frame_->GetHoverWidget() == this) {
    if (const QLResultEnum result = frame_->SetHoverWidget(nullptr)) return result;
  }
  if (frame_->GetFocusWidget() == this) frame_->SetFocusWidget(nullptr);
  for (Widget* child : GetWidgets()) {
    if (const QLResultEnum result = child->ClearFocusIn()) return result;
  }
  return QL_OK;
}

QLResultEnum Widget::SetDisabled(bool disabled) {
  disabled_ = disabled;
  return PropagateDisabled();
}

QLResultEnum Widget::SetDisabledByParent(bool disabled) {
  disabledByParent_ = disabled;
  if (listener_) {
    if (const QLResultEnum result = listener_->OnDisabledChanged(disabled)) return result;
  }
  return PropagateDisabled();
}

QLResultEnum Widget::PropagateDisabled() {
  const bool disabled = IsDisabled();
  for (Widget* child : GetWidgets()) {
    if (child->disabledByParent_ == disabled) continue;
    if (const QLResultEnum result = child->SetDisabledByParent(disabled)) return result;
  }
  return QL_OK;
}

}  // namespace widget
