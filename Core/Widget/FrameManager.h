#pragma once

#include <cstdint>
#include <vector>

#include "Core/App/Task.h"
#include "Core/Base/Result.h"
#include "Core/Input/Point.h"
#include "Core/Widget/DeferredDeleteManager.h"
#include "Core/Widget/MouseCapture.h"

namespace render {
class Graphics;
}

namespace widget {

class Frame;
class Widget;

// Where a frame sits on the stack.
enum FrameMode : int {
  FRAME_NORMAL = 0,
  // Above every normal frame.
  FRAME_ABOVE = 1,
  // On top; the frames below it never see the mouse.
  FRAME_MODAL = 2,
};

// The stack of frames on screen, bottom first. It routes every mouse event to
// the capture, else down the stack to the first frame that takes it or to a
// modal frame, and keeps the active and hover frames. Changes asked for from
// inside handlers and updates are queued and applied once per frame by
// Update, pushes before removals. Frames are not owned unless removed with
// deletion.
class FrameManager : public base::Task, public base::DeferredDeleteManager {
 public:
  struct StackEntry {
    Frame* frame;
    FrameMode mode;
  };

  FrameManager();
  // Deletes its queued objects and effects; frames still stacked are only
  // told that they have no manager any more.
  ~FrameManager() override;

  QLResultEnum PushFrame(Frame* frame, bool above, bool activate, bool deferred);
  QLResultEnum PushModal(Frame* frame, bool deferred);
  QLResultEnum ActivateFrame(Frame* frame);
  QLResultEnum RemoveFrame(Frame* frame, bool deleteFrame, bool deferred);
  // Hides every frame, and with the flags empties and deletes them.
  QLResultEnum RemoveAll(bool deleteFrames, bool removeChildren);

  // The frames bottom to top, then the cursor widget.
  QLResultEnum Draw(render::Graphics* graphics);
  // The widgets' updates, then the queued pushes, then the queued removals.
  QLResultEnum OnUpdate(float dt) override;

  // Points in design coordinates.
  QLResultEnum OnMouseDown(const input::Point& point, int button);
  QLResultEnum OnMouseUp(const input::Point& point, int button);
  QLResultEnum OnMouseDoubleClick(const input::Point& point, int button);
  QLResultEnum OnMouseMove(const input::Point& point);
  QLResultEnum OnMouseDrag(const input::Point& point);
  QLResultEnum OnMouseWheel(const input::Point& point, std::int16_t delta);
  // The buttons went up unseen: the capture ends without a release, so that
  // nothing pressed is clicked.
  QLResultEnum OnMouseCancel();
  // A move to where the pointer last was, so that the hover follows a change
  // under it.
  QLResultEnum RepeatMouseMove();

  const std::vector<StackEntry>& GetStack() const { return stack_; }
  bool IsOnStack(const Frame* frame) const;
  Frame* GetActiveFrame() const { return activeFrame_; }
  Frame* GetHoverFrame() const { return hoverFrame_; }
  void SetHoverFrame(Frame* frame) { hoverFrame_ = frame; }
  MouseCapture& GetCapture() { return capture_; }
  // A widget drawn on top of everything that follows the mouse.
  void SetCursorWidget(Widget* widget, bool owns);

  // A frame about to go: no stack entry, queued change or capture is left
  // pointing at it.
  void ForgetFrame(Frame& frame);
  // The capture ends when held by the widget or below it.
  void ForgetCaptureIn(const Widget& widget);

 private:
  enum class MouseEvent { kDown, kUp, kDoubleClick, kMove, kDrag, kWheel };
  struct QueuedPush {
    Frame* frame;
    FrameMode mode;
    bool activate;
  };
  struct QueuedRemoval {
    Frame* frame;
    bool deleteFrame;
  };

  QLResultEnum Route(MouseEvent event, const input::Point& point, int argument);
  QLResultEnum RouteToCapture(MouseEvent event, const input::Point& point, int argument);
  QLResultEnum NotHandled(MouseEvent event);
  void ReleaseCapture();
  QLResultEnum ApplyQueuedPushes();
  QLResultEnum ApplyQueuedRemovals();
  QLResultEnum Show(Frame* frame, std::size_t at, FrameMode mode);
  // The frame's position on the stack, or the stack's size.
  std::size_t Find(const Frame* frame) const;

  Frame* activeFrame_ = nullptr;
  Frame* hoverFrame_ = nullptr;
  std::vector<StackEntry> stack_;
  std::vector<QueuedPush> pushes_;
  std::vector<QueuedRemoval> removals_;
  MouseCapture capture_;
  input::Point lastPoint_;
  Widget* cursorWidget_ = nullptr;
  bool ownsCursorWidget_ = false;
};

}  // namespace widget
