// The mouse walk: children before their parent, the topmost child first, and
// the first layer whose own test succeeds gets the event through the handler
// of its nearest layer with a listener.

#include <cstdint>
#include <new>
#include <vector>

#include "Core/Base/DelegateBindings.h"
#include "Core/Base/SharedRef.h"
#include "Core/Layer/HitTestListener.h"
#include "Core/Layer/Layer.h"
#include "Core/Layer/MouseEvents.h"

namespace layer {
namespace {

// What each kind of event calls and which pass-up request it answers.
template <class Event>
struct EventKind;

template <>
struct EventKind<OnMouseDown> {
  static constexpr std::uint32_t kPassUp = PASS_UP_DOWN;
  static QLResultEnum Call(HitTestListener& listener, bool fromChild, const OnMouseDown& event) {
    const math::Point3& point = listener.GetPoint();
    return fromChild ? listener.OnChildMouseDown(point, event.button) : listener.OnMouseDown(point, event.button);
  }
};

template <>
struct EventKind<OnMouseUp> {
  static constexpr std::uint32_t kPassUp = PASS_UP_UP;
  static QLResultEnum Call(HitTestListener& listener, bool fromChild, const OnMouseUp& event) {
    const math::Point3& point = listener.GetPoint();
    return fromChild ? listener.OnChildMouseUp(point, event.button) : listener.OnMouseUp(point, event.button);
  }
};

template <>
struct EventKind<OnMouseMove> {
  static constexpr std::uint32_t kPassUp = PASS_UP_MOVE;
  static QLResultEnum Call(HitTestListener& listener, bool fromChild, const OnMouseMove&) {
    const math::Point3& point = listener.GetPoint();
    return fromChild ? listener.OnChildMouseMove(point) : listener.OnMouseMove(point);
  }
};

template <>
struct EventKind<OnMouseDrag> {
  static constexpr std::uint32_t kPassUp = PASS_UP_DRAG;
  static QLResultEnum Call(HitTestListener& listener, bool fromChild, const OnMouseDrag&) {
    const math::Point3& point = listener.GetPoint();
    return fromChild ? listener.OnChildMouseDrag(point) : listener.OnMouseDrag(point);
  }
};

template <>
struct EventKind<OnMouseWheel> {
  static constexpr std::uint32_t kPassUp = PASS_UP_WHEEL;
  static QLResultEnum Call(HitTestListener& listener, bool fromChild, const OnMouseWheel& event) {
    const math::Point3& point = listener.GetPoint();
    return fromChild ? listener.OnChildMouseWheel(point, event.delta) : listener.OnMouseWheel(point, event.delta);
  }
};

template <class Event>
using Handler = base::Delegate2<HitTestParam&, Event&, QLResultEnum>;

// Copies the event into the listener, calls it, and reads its state back.
template <class Event>
QLResultEnum Handle(HitTestParam& param, Event& event) {
  HitTestListener& listener = *param.listener;
  listener.Receive(param);
  if (const QLResultEnum result = EventKind<Event>::Call(listener, param.fromChild, event)) return result;
  param.state = listener.GetState();
  return QL_OK;
}

// One per kind, made on first use and released at exit. A failed allocation
// leaves it empty, and every walk of that kind then does nothing.
template <class Event>
const base::SharedRef<Handler<Event>>& HandlerOf() {
  static const base::SharedRef<Handler<Event>> handler = [] {
    base::SharedRef<Handler<Event>> made;
    made.Reset(new (std::nothrow) base::StaticDelegate2<HitTestParam&, Event&, QLResultEnum>(&Handle<Event>));
    return made;
  }();
  return handler;
}

// One level of the walk: the event point in that level's space.
struct HitTestFrame {
  const math::Point3* point;
  Layer* layer;
  HitTestListener* listener;
  // The nearest frame above with a listener.
  HitTestFrame* enclosing;
};

template <class Event>
struct WalkRecord {
  Event* event = nullptr;
  Handler<Event>* handler = nullptr;
  HitTestState state = HIT_TEST_GO_ON;
  math::Point3 hitPoint;
  Layer* hitLayer = nullptr;
  // The layer whose handler asked to unwind to it.
  Layer* passTo = nullptr;
};

// Half-open in x and y, so that neighbouring layers never share a point; the
// far z is not tested.
bool Inside(const math::Point3& point, const math::AABB& box) {
  return box.min.x <= point.x && point.x < box.max.x && box.min.y <= point.y && point.y < box.max.y &&
         box.min.z <= point.z;
}

template <class Event>
QLResultEnum DispatchOnce(Layer& layer, HitTestFrame& frame, bool fromChild, bool childHandled,
                          WalkRecord<Event>& walk) {
  HitTestParam param;
  param.hitLayer = walk.hitLayer;
  param.hitPoint = walk.hitPoint;
  param.dispatchingLayer = &layer;
  param.point = *frame.point;
  param.listener = layer.GetListener();
  param.state = walk.state;
  param.fromChild = fromChild;
  param.childHandled = childHandled;
  if (const QLResultEnum result = walk.handler->Invoke(param, *walk.event)) return result;
  walk.state = param.state;
  if (walk.state == HIT_TEST_PASS_TO_LAYER) walk.passTo = &layer;
  return QL_OK;
}

template <class Event>
QLResultEnum Dispatch(Layer& layer, HitTestFrame& frame, WalkRecord<Event>& walk) {
  if (const QLResultEnum result = DispatchOnce(layer, frame, false, false, walk)) return result;
  for (HitTestFrame* above = frame.enclosing; above; above = above->enclosing) {
    if (!(above->listener->GetPassUpFlags() & EventKind<Event>::kPassUp)) continue;
    // What the ancestors answer does not stop the event, which is already
    // delivered.
    DispatchOnce(*above->layer, *above, true, walk.state == HIT_TEST_HANDLED, walk);
  }
  return QL_OK;
}

template <class Event>
QLResultEnum Walk(Layer& layer, HitTestFrame& enclosing, WalkRecord<Event>& walk) {
  if (!layer.IsVisible()) return QL_OK;
  if (!layer.IsHitTestable() && !layer.WalksWhenNotHitTestable()) return QL_OK;
  if (!Inside(*enclosing.point, layer.GetOuterBounds())) return QL_OK;

  math::Point3 local;
  HitTestFrame frame{&local, &layer, layer.GetListener(), enclosing.listener ? &enclosing : enclosing.enclosing};
  if (!IsRotatedOutOfPlane(layer.GetRotation())) {
    layer.ToLocal(*enclosing.point, local);
    Layer::BackwardWalk children(layer);
    while (Layer* child = children.Next()) {
      if (const QLResultEnum result = Walk(*child, frame, walk)) return result;
      if (walk.state == HIT_TEST_HANDLED) return QL_OK;
      if (walk.state == HIT_TEST_PASS_TO_LAYER) {
        if (walk.passTo != &layer) return QL_OK;
        walk.state = HIT_TEST_GO_ON;
        walk.passTo = nullptr;
        break;
      }
    }
  }

  if (!layer.GetListener() && !frame.enclosing) return QL_OK;
  if (!layer.HasOwnExtent() || !Inside(local, layer.GetLocalBounds())) return QL_OK;
  if (!layer.IsHitTestable() || !layer.HitTestPoint(local)) return QL_OK;

  walk.state = HIT_TEST_HANDLED;
  walk.hitPoint = local;
  walk.hitLayer = &layer;
  walk.passTo = nullptr;
  if (layer.GetListener()) return Dispatch(layer, frame, walk);
  return Dispatch(*frame.enclosing->layer, *frame.enclosing, walk);
}

template <class Event>
QLResultEnum WalkFrom(Layer& root, float x, float y, Event event, bool& handled) {
  handled = false;
  const base::SharedRef<Handler<Event>>& handler = HandlerOf<Event>();
  if (!handler) return QL_OK;
  root.UpdateBounds();
  const math::Point3 point{x, y, 0.0f};
  HitTestFrame start{&point, &root, nullptr, nullptr};
  WalkRecord<Event> walk;
  walk.event = &event;
  walk.handler = handler.Get();
  if (const QLResultEnum result = Walk(root, start, walk)) return result;
  handled = walk.state == HIT_TEST_HANDLED;
  return QL_OK;
}

}  // namespace

QLResultEnum Layer::HitTestDownFrom(float x, float y, int button, bool& handled) {
  return WalkFrom(*this, x, y, OnMouseDown{button}, handled);
}

QLResultEnum Layer::HitTestUpFrom(float x, float y, int button, bool& handled) {
  return WalkFrom(*this, x, y, OnMouseUp{button}, handled);
}

QLResultEnum Layer::HitTestMoveFrom(float x, float y, bool& handled) {
  return WalkFrom(*this, x, y, OnMouseMove{}, handled);
}

QLResultEnum Layer::HitTestDragFrom(float x, float y, bool& handled) {
  return WalkFrom(*this, x, y, OnMouseDrag{}, handled);
}

QLResultEnum Layer::HitTestWheelFrom(float x, float y, std::int16_t delta, bool& handled) {
  return WalkFrom(*this, x, y, OnMouseWheel{delta}, handled);
}

}  // namespace layer
