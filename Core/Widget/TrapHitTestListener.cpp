#include "Core/Widget/TrapHitTestListener.h"

#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"

namespace widget {

QLResultEnum TrapHitTestListener::ActivateFrame() {
  Frame* frame = owner_ ? owner_->GetFrame() : nullptr;
  FrameManager* manager = frame ? frame->GetManager() : nullptr;
  return manager ? manager->ActivateFrame(frame) : QL_OK;
}

QLResultEnum TrapHitTestListener::ClearHover() {
  Frame* frame = owner_ ? owner_->GetFrame() : nullptr;
  return frame ? frame->SetHoverWidget(nullptr) : QL_OK;
}

QLResultEnum TrapHitTestListener::OnMouseDown(const math::Point3&, int) { return ActivateFrame(); }
QLResultEnum TrapHitTestListener::OnMouseDoubleClick(const math::Point3&, int) { return ActivateFrame(); }
QLResultEnum TrapHitTestListener::OnMouseMove(const math::Point3&) { return ClearHover(); }
QLResultEnum TrapHitTestListener::OnMouseDrag(const math::Point3&) { return ClearHover(); }

}  // namespace widget
