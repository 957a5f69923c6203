#include "Core/Layer/HitTestListener.h"

namespace layer {

QLResultEnum HitTestListener::OnMouseDown(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnMouseUp(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnMouseDoubleClick(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnMouseMove(const math::Point3&) { return QL_OK; }
QLResultEnum HitTestListener::OnMouseDrag(const math::Point3&) { return QL_OK; }
QLResultEnum HitTestListener::OnMouseWheel(const math::Point3&, std::int16_t) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseDown(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseUp(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseDoubleClick(const math::Point3&, int) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseMove(const math::Point3&) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseDrag(const math::Point3&) { return QL_OK; }
QLResultEnum HitTestListener::OnChildMouseWheel(const math::Point3&, std::int16_t) { return QL_OK; }

void HitTestListener::Receive(const HitTestParam& param) {
  hitLayer_ = param.hitLayer;
  dispatchingLayer_ = param.dispatchingLayer;
  point_ = param.point;
  state_ = param.state;
  childHandled_ = param.childHandled;
}

}  // namespace layer
