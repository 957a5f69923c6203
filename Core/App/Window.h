#pragma once

#include "Core/App/Win32/WindowWin32.h"

namespace app {

class Window : public WindowWin32 {
 public:
  using WindowWin32::WindowWin32;

  virtual int GetWidth() const { return GetWindowSize().width; }
  virtual int GetHeight() const { return GetWindowSize().height; }
};

}  // namespace app
