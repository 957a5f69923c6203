#pragma once

#include "Core/Widget/Frame.h"
#include "Core/Widget/WidgetHitTestListener.h"
#include "Core/Widget/WidgetListener.h"

namespace widget {

// A frame that is its own listener and its own mouse handler: the base of
// screens such as the game's root window.
class BaseBoard : public Frame, public WidgetListener, public WidgetHitTestListener {
 public:
  BaseBoard();

  // Called once, when the board becomes the application's main frame.
  virtual QLResultEnum Init();
};

}  // namespace widget
