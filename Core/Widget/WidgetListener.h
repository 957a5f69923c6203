#pragma once

#include <cstdint>

#include "Core/Base/MathPoint3.h"
#include "Core/Base/Result.h"
#include "Core/Widget/MouseCapture.h"

namespace render {
class Graphics;
}

namespace widget {

// Everything a widget hears apart from the mouse walk. Every notice returns
// a result; a failure stops the operation that sent it.
class WidgetListener {
 public:
  virtual ~WidgetListener() = default;

  virtual QLResultEnum OnUpdate(float dt);
  // Around the drawing of the widget's layer subtree, when drawing is hooked.
  virtual QLResultEnum OnDrawBefore(render::Graphics* graphics, layer::Layer* layer);
  virtual QLResultEnum OnDrawAfter(render::Graphics* graphics, layer::Layer* layer);
  // The widget joined or left a frame.
  virtual QLResultEnum OnAttach();
  virtual QLResultEnum OnDetach();
  // The widget's frame entered or left the frame manager's stack.
  virtual QLResultEnum OnShow();
  virtual QLResultEnum OnHide();
  virtual QLResultEnum OnHoverChanged(bool hovered);
  virtual QLResultEnum OnHoverPathChanged(bool onPath);
  // The widget became, or stopped being, disabled through an ancestor.
  virtual QLResultEnum OnDisabledChanged(bool disabled);
  virtual QLResultEnum OnKeyDown(int key);
  virtual QLResultEnum OnKeyUp(int key);
  virtual QLResultEnum OnChar(char16_t unit);

  // While the widget holds the mouse capture; points in the capture space.
  virtual QLResultEnum OnCapturedMouseDown(MouseCapture& capture, const math::Point3& point, int button);
  // Ends the capture, and the hover follows the pointer again.
  virtual QLResultEnum OnCapturedMouseUp(MouseCapture& capture, const math::Point3& point, int button);
  virtual QLResultEnum OnCapturedMouseDoubleClick(MouseCapture& capture, const math::Point3& point, int button);
  // Walk from the widget's layer, so that its own parts still react.
  virtual QLResultEnum OnCapturedMouseMove(MouseCapture& capture, const math::Point3& point);
  virtual QLResultEnum OnCapturedMouseDrag(MouseCapture& capture, const math::Point3& point);
  virtual QLResultEnum OnCapturedMouseWheel(MouseCapture& capture, const math::Point3& point, std::int16_t delta);
  // The press ended without a release the program saw, as when the window
  // loses the focus: the capture ends as on a release, but nothing may act
  // as if the press were completed.
  virtual QLResultEnum OnCaptureCancelled(MouseCapture& capture);
};

}  // namespace widget
