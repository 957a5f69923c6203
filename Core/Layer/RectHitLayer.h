#pragma once

#include "Core/Layer/Layer.h"

namespace layer {

// An invisible rectangle that takes every point inside it: the layer of every
// frame, catching the mouse over the frame's whole area.
class RectHitLayer : public Layer {
 public:
  RectHitLayer();

  void SetRect(float x, float y, float width, float height);
  void UpdateLocalBounds() override;
  bool HitTestPoint(const math::Point3& local) const override;

 private:
  float x_ = 0.0f;
  float y_ = 0.0f;
  float width_ = 0.0f;
  float height_ = 0.0f;
};

}  // namespace layer
