#include "Core/Widget/FrameManager.h"

#include <algorithm>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Layer/Layer.h"
#include "Core/Widget/Frame.h"
#include "Core/Widget/WidgetListener.h"

namespace widget {

FrameManager::FrameManager() : Task(false, false, true, false) {}

FrameManager::~FrameManager() {
  DeleteAll();
  DeleteChildren();
  if (ownsCursorWidget_) delete cursorWidget_;
  for (const StackEntry& entry : stack_) entry.frame->SetManager(nullptr);
}

std::size_t FrameManager::Find(const Frame* frame) const {
  const auto found =
      std::find_if(stack_.begin(), stack_.end(), [frame](const StackEntry& entry) { return entry.frame == frame; });
  return static_cast<std::size_t>(found - stack_.begin());
}

bool FrameManager::IsOnStack(const Frame* frame) const { return Find(frame) < stack_.size(); }

QLResultEnum FrameManager::PushFrame(Frame* frame, bool above, bool activate, bool deferred) {
  const FrameMode mode = above ? FRAME_ABOVE : FRAME_NORMAL;
  if (deferred) {
    pushes_.push_back({frame, mode, activate});
    return QL_OK;
  }
  if (!frame) return QL_FAIL;
  if (IsOnStack(frame)) {
    // A second entry would be drawn and hidden twice and outlive the first.
    QL_LOG(u"FrameManager::PushFrame: the frame is already on the stack\n");
    return activate ? ActivateFrame(frame) : QL_OK;
  }
  // The first entry that the new frame must stay below.
  const auto below = [this](FrameMode first) {
    return static_cast<std::size_t>(
        std::find_if(stack_.begin(), stack_.end(), [first](const StackEntry& entry) { return entry.mode >= first; }) -
        stack_.begin());
  };
  const FrameMode top = stack_.empty() ? FRAME_NORMAL : stack_.back().mode;
  std::size_t at = stack_.size();
  if (above && top == FRAME_MODAL) at = below(FRAME_MODAL);
  if (!above && top != FRAME_NORMAL) at = below(FRAME_ABOVE);
  if (const QLResultEnum result = Show(frame, at, mode)) return result;
  return activate ? ActivateFrame(frame) : QL_OK;
}

QLResultEnum FrameManager::PushModal(Frame* frame, bool deferred) {
  if (deferred) {
    pushes_.push_back({frame, FRAME_MODAL, true});
    return QL_OK;
  }
  if (!frame) return QL_FAIL;
  if (IsOnStack(frame)) {
    QL_LOG(u"FrameManager::PushModal: the frame is already on the stack\n");
    return ActivateFrame(frame);
  }
  if (const QLResultEnum result = Show(frame, stack_.size(), FRAME_MODAL)) return result;
  return ActivateFrame(frame);
}

QLResultEnum FrameManager::Show(Frame* frame, std::size_t at, FrameMode mode) {
  stack_.insert(stack_.begin() + static_cast<std::ptrdiff_t>(at), {frame, mode});
  frame->SetManager(this);
  return frame->SetShown(this);
}

QLResultEnum FrameManager::ActivateFrame(Frame* frame) {
  if (frame == activeFrame_) return QL_OK;
  if (activeFrame_ && activeFrame_->IsActive()) {
    activeFrame_->SetActive(false);
    if (const QLResultEnum result = activeFrame_->OnDeactivate()) return result;
  }
  activeFrame_ = frame;
  if (!frame || frame->IsActive()) return QL_OK;
  frame->SetActive(true);
  return frame->OnActivate();
}

QLResultEnum FrameManager::RemoveFrame(Frame* frame, bool deleteFrame, bool deferred) {
  if (deferred) {
    removals_.push_back({frame, deleteFrame});
    return QL_OK;
  }
  if (!IsOnStack(frame)) {
    QL_LOG(u"FrameManager::RemoveFrame: the frame is not on the stack\n");
    const QLResultEnum result = RepeatMouseMove();
    return result ? result : QL_FAIL;
  }
  if (hoverFrame_ == frame) hoverFrame_ = nullptr;
  if (activeFrame_ == frame) activeFrame_ = nullptr;
  // A capture inside the frame would route the mouse to a hidden frame.
  ForgetCaptureIn(*frame);
  if (const QLResultEnum result = frame->SetShown(nullptr)) return result;
  frame->SetManager(nullptr);
  // The notices may have moved the entry.
  if (IsOnStack(frame)) stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(Find(frame)));
  if (deleteFrame) delete frame;
  return QL_OK;
}

QLResultEnum FrameManager::RemoveAll(bool deleteFrames, bool removeChildren) {
  // Nothing may point at a frame that is off the stack, let alone deleted.
  activeFrame_ = nullptr;
  hoverFrame_ = nullptr;
  ReleaseCapture();
  std::vector<StackEntry> removing = std::exchange(stack_, {});
  for (std::size_t i = 0; i < removing.size(); ++i) {
    Frame* frame = removing[i].frame;
    QLResultEnum result = QL_OK;
    if (deleteFrames || removeChildren) result = frame->SetShown(nullptr);
    if (result) {
      stack_.insert(stack_.begin(), removing.begin() + static_cast<std::ptrdiff_t>(i), removing.end());
      return result;
    }
    frame->SetManager(nullptr);
    if (removeChildren) result = frame->RemoveAll(deleteFrames, removeChildren);
    if (deleteFrames) delete frame;
    if (result) {
      stack_.insert(stack_.begin(), removing.begin() + static_cast<std::ptrdiff_t>(i) + 1, removing.end());
      return result;
    }
  }
  return QL_OK;
}

QLResultEnum FrameManager::Draw(render::Graphics* graphics) {
  for (std::size_t i = 0; i < stack_.size(); ++i) {
    if (const QLResultEnum result = stack_[i].frame->GetLayer()->Render(graphics)) return result;
  }
  if (cursorWidget_ && cursorWidget_->GetLayer()) return cursorWidget_->GetLayer()->Render(graphics);
  return QL_OK;
}

QLResultEnum FrameManager::OnUpdate(float dt) {
  for (std::size_t i = 0; i < stack_.size(); ++i) {
    if (const QLResultEnum result = stack_[i].frame->UpdateTree(dt)) return result;
  }
  if (cursorWidget_) {
    if (const QLResultEnum result = cursorWidget_->UpdateTree(dt)) return result;
  }
  if (const QLResultEnum result = ApplyQueuedPushes()) return result;
  if (const QLResultEnum result = ApplyQueuedRemovals()) return result;
  DeleteAll();
  return QL_OK;
}

// Each batch is taken out before it is applied: what the pushes queue in
// turn forms the next batch, and a failure drops the rest of its batch
// rather than applying the earlier entries twice.
QLResultEnum FrameManager::ApplyQueuedPushes() {
  while (!pushes_.empty()) {
    const std::vector<QueuedPush> batch = std::exchange(pushes_, {});
    for (const QueuedPush& push : batch) {
      const QLResultEnum result = push.mode == FRAME_MODAL
                                      ? PushModal(push.frame, false)
                                      : PushFrame(push.frame, push.mode == FRAME_ABOVE, push.activate, false);
      if (result) return result;
    }
  }
  return QL_OK;
}

QLResultEnum FrameManager::ApplyQueuedRemovals() {
  while (!removals_.empty()) {
    const std::vector<QueuedRemoval> batch = std::exchange(removals_, {});
    for (const QueuedRemoval& removal : batch) {
      if (!IsOnStack(removal.frame)) {
        // Removed directly meanwhile, or queued twice: nothing left to do,
        // and the rest of the frame's work goes on.
        QL_LOG(u"FrameManager: a queued removal skipped, the frame is not on the stack\n");
        continue;
      }
      if (const QLResultEnum result = RemoveFrame(removal.frame, removal.deleteFrame, false)) return result;
    }
  }
  return QL_OK;
}

void FrameManager::ForgetFrame(Frame& frame) {
  std::erase_if(stack_, [&frame](const StackEntry& entry) { return entry.frame == &frame; });
  std::erase_if(pushes_, [&frame](const QueuedPush& push) { return push.frame == &frame; });
  std::erase_if(removals_, [&frame](const QueuedRemoval& removal) { return removal.frame == &frame; });
  if (activeFrame_ == &frame) activeFrame_ = nullptr;
  if (hoverFrame_ == &frame) hoverFrame_ = nullptr;
  ForgetCaptureIn(frame);
}

void FrameManager::ForgetCaptureIn(const Widget& widget) {
  if (capture_.widget && capture_.widget->IsWithin(widget)) ReleaseCapture();
}

void FrameManager::ReleaseCapture() {
  if (capture_.widget) capture_.widget->SetCaptured(false);
  capture_.widget = nullptr;
  capture_.layer = nullptr;
}

void FrameManager::SetCursorWidget(Widget* widget, bool owns) {
  if (ownsCursorWidget_ && cursorWidget_ != widget) delete cursorWidget_;
  cursorWidget_ = widget;
  ownsCursorWidget_ = owns;
}

QLResultEnum FrameManager::OnMouseDown(const input::Point& point, int button) {
  return Route(MouseEvent::kDown, point, button);
}

QLResultEnum FrameManager::OnMouseUp(const input::Point& point, int button) {
  return Route(MouseEvent::kUp, point, button);
}

QLResultEnum FrameManager::OnMouseDoubleClick(const input::Point& point, int button) {
  return Route(MouseEvent::kDoubleClick, point, button);
}

QLResultEnum FrameManager::OnMouseMove(const input::Point& point) { return Route(MouseEvent::kMove, point, 0); }

QLResultEnum FrameManager::OnMouseDrag(const input::Point& point) { return Route(MouseEvent::kDrag, point, 0); }

QLResultEnum FrameManager::OnMouseWheel(const input::Point& point, std::int16_t delta) {
  return Route(MouseEvent::kWheel, point, delta);
}

QLResultEnum FrameManager::OnMouseCancel() {
  Widget* captured = capture_.widget;
  if (!captured) return QL_OK;
  WidgetListener* listener = captured->GetListener();
  const QLResultEnum result = listener ? listener->OnCaptureCancelled(capture_) : QL_OK;
  // A listener that kept the capture would go on taking every mouse event.
  if (capture_.widget == captured) ReleaseCapture();
  return result;
}

QLResultEnum FrameManager::RepeatMouseMove() { return OnMouseMove(input::Point(lastPoint_)); }

QLResultEnum FrameManager::Route(MouseEvent event, const input::Point& point, int argument) {
  lastPoint_ = point;
  if (cursorWidget_ && cursorWidget_->GetLayer()) {
    layer::Layer* cursor = cursorWidget_->GetLayer();
    cursor->SetPosition(point.x, point.y, cursor->GetPosition().z);
  }
  if (capture_.widget) {
    if (capture_.widget->GetListener()) return RouteToCapture(event, point, argument);
    // Nobody would ever end this capture: the mouse goes back to the frames.
    ReleaseCapture();
  }

  for (std::size_t i = stack_.size(); i-- > 0;) {
    // A handler may have changed the stack; go on with what is left below.
    if (i >= stack_.size()) continue;
    const StackEntry entry = stack_[i];
    layer::Layer* root = entry.frame->GetLayer();
    bool handled = false;
    QLResultEnum result = QL_OK;
    switch (event) {
      case MouseEvent::kDown:
      case MouseEvent::kDoubleClick:
        result = root->HitTestDownFrom(point.x, point.y, argument, handled);
        break;
      case MouseEvent::kUp:
        result = root->HitTestUpFrom(point.x, point.y, argument, handled);
        break;
      case MouseEvent::kMove:
        result = root->HitTestMoveFrom(point.x, point.y, handled);
        break;
      case MouseEvent::kDrag:
        result = root->HitTestDragFrom(point.x, point.y, handled);
        break;
      case MouseEvent::kWheel:
        result = root->HitTestWheelFrom(point.x, point.y, static_cast<std::int16_t>(argument), handled);
        break;
    }
    if (result) return result;
    if (handled) return QL_OK;
    if (entry.mode == FRAME_MODAL) break;
  }
  return NotHandled(event);
}

QLResultEnum FrameManager::RouteToCapture(MouseEvent event, const input::Point& point, int argument) {
  const math::Point3 design{point.x, point.y, 0.0f};
  math::Point3 local = design;
  if (layer::Layer* layer = capture_.layer) {
    if (!capture_.relativeToParent) {
      layer->WorldToLocal(design, local);
    } else if (layer->GetParent()) {
      layer->GetParent()->WorldToLocal(design, local);
    }
  }
  WidgetListener& listener = *capture_.widget->GetListener();
  switch (event) {
    case MouseEvent::kDown:
      return listener.OnCapturedMouseDown(capture_, local, argument);
    case MouseEvent::kUp:
      return listener.OnCapturedMouseUp(capture_, local, argument);
    case MouseEvent::kDoubleClick:
      return listener.OnCapturedMouseDoubleClick(capture_, local, argument);
    case MouseEvent::kMove:
      return listener.OnCapturedMouseMove(capture_, local);
    case MouseEvent::kDrag:
      return listener.OnCapturedMouseDrag(capture_, local);
    case MouseEvent::kWheel:
      return listener.OnCapturedMouseWheel(capture_, local, static_cast<std::int16_t>(argument));
  }
  return QL_OK;
}

QLResultEnum FrameManager::NotHandled(MouseEvent event) {
  if (event == MouseEvent::kDown && activeFrame_) {
    // Clicking outside every frame deactivates a normal frame, never a modal
    // one.
    const std::size_t at = Find(activeFrame_);
    if (at < stack_.size() && stack_[at].mode == FRAME_MODAL) return QL_OK;
    Frame* frame = std::exchange(activeFrame_, nullptr);
    if (frame->IsActive()) {
      frame->SetActive(false);
      return frame->OnDeactivate();
    }
    return QL_OK;
  }
  if ((event == MouseEvent::kMove || event == MouseEvent::kDrag) && hoverFrame_) {
    Frame* frame = std::exchange(hoverFrame_, nullptr);
    return frame->SetHoverWidget(nullptr);
  }
  return QL_OK;
}

}  // namespace widget
