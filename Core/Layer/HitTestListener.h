#pragma once

#include <cstdint>

#include "Core/Base/MathPoint3.h"
#include "Core/Base/Result.h"

namespace layer {

class Layer;

// How a handler steers the walk.
enum HitTestState : std::int32_t {
  HIT_TEST_HANDLED = 0,
  HIT_TEST_GO_ON = 1,
  // Unwind to the layer whose handler set it, which is then tested itself.
  HIT_TEST_PASS_TO_LAYER = 2,
};

// Requests to receive, as a from-child event, what the layers below handle.
enum HitTestPassUp : std::uint32_t {
  PASS_UP_DOWN = 1u << 0,
  PASS_UP_UP = 1u << 1,
  PASS_UP_MOVE = 1u << 3,
  PASS_UP_DRAG = 1u << 4,
  PASS_UP_WHEEL = 1u << 5,
};

class HitTestListener;

// One handler call of the walk.
struct HitTestParam {
  Layer* hitLayer = nullptr;
  math::Point3 hitPoint;
  Layer* dispatchingLayer = nullptr;
  // In the dispatching layer's space.
  math::Point3 point;
  HitTestListener* listener = nullptr;
  HitTestState state = HIT_TEST_GO_ON;
  bool fromChild = false;
  bool childHandled = false;
};

// The mouse handlers of a layer. The walk copies each event into the listener
// before calling it, so one listener serves one call at a time. A handler that
// leaves the state alone takes the event and ends the walk.
class HitTestListener {
 public:
  virtual ~HitTestListener() = default;

  virtual QLResultEnum OnMouseDown(const math::Point3& point, int button);
  virtual QLResultEnum OnMouseUp(const math::Point3& point, int button);
  virtual QLResultEnum OnMouseDoubleClick(const math::Point3& point, int button);
  virtual QLResultEnum OnMouseMove(const math::Point3& point);
  virtual QLResultEnum OnMouseDrag(const math::Point3& point);
  virtual QLResultEnum OnMouseWheel(const math::Point3& point, std::int16_t delta);
  virtual QLResultEnum OnChildMouseDown(const math::Point3& point, int button);
  virtual QLResultEnum OnChildMouseUp(const math::Point3& point, int button);
  virtual QLResultEnum OnChildMouseDoubleClick(const math::Point3& point, int button);
  virtual QLResultEnum OnChildMouseMove(const math::Point3& point);
  virtual QLResultEnum OnChildMouseDrag(const math::Point3& point);
  virtual QLResultEnum OnChildMouseWheel(const math::Point3& point, std::int16_t delta);

  // The event of the current call.
  void Receive(const HitTestParam& param);
  Layer* GetHitLayer() const { return hitLayer_; }
  Layer* GetDispatchingLayer() const { return dispatchingLayer_; }
  const math::Point3& GetPoint() const { return point_; }
  HitTestState GetState() const { return state_; }
  void SetState(HitTestState state) { state_ = state; }
  bool IsChildHandled() const { return childHandled_; }

  std::uint32_t GetPassUpFlags() const { return passUpFlags_; }
  void SetPassUpFlags(std::uint32_t flags) { passUpFlags_ = flags; }

 private:
  Layer* hitLayer_ = nullptr;
  Layer* dispatchingLayer_ = nullptr;
  math::Point3 point_;
  HitTestState state_ = HIT_TEST_HANDLED;
  bool childHandled_ = false;
  std::uint32_t passUpFlags_ = 0;
};

}  // namespace layer
