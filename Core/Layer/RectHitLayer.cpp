#include "Core/Layer/RectHitLayer.h"

namespace layer {

RectHitLayer::RectHitLayer() {
  SetOwnExtent(true);
  MarkLocalBoundsStale();
}

void RectHitLayer::SetRect(float x, float y, float width, float height) {
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  MarkLocalBoundsStale();
}

void RectHitLayer::UpdateLocalBounds() { LocalBounds() = {{x_, y_, 0.0f}, {x_ + width_, y_ + height_, 0.0f}}; }

bool RectHitLayer::HitTestPoint(const math::Point3&) const { return true; }

}  // namespace layer
