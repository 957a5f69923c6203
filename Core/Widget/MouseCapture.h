#pragma once

#include "Core/Base/MathPoint3.h"

namespace layer {
class Layer;
}

namespace widget {

class Widget;

// The widget that takes every mouse event from a press until its release.
// Points reach it in the capture space: the space of the capture layer's
// parent when relativeToParent is set, else the layer's own space.
struct MouseCapture {
  void Set(Widget* owner, layer::Layer* captureLayer, const math::Point3& grab, bool relative) {
    widget = owner;
    layer = captureLayer;
    grabPoint = grab;
    relativeToParent = relative;
  }

  Widget* widget = nullptr;
  layer::Layer* layer = nullptr;
  math::Point3 grabPoint;
  bool relativeToParent = true;
};

}  // namespace widget
