#pragma once

#include <memory>

#include "Core/App/Application.h"
#include "Core/App/Window.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/InputWin32.h"

// The game's application object. For now it opens the game's window and runs
// until the window is closed; the input reaches it but nothing acts on it yet.
class Game : public app::Application, public input::InputListener, public input::CoordConverter {
 public:
  Game();
  ~Game() override;

  QLResultEnum OnInit() override;

  input::Point ToDesign(input::Point window) const override { return window; }

  QLResultEnum OnMouseDown(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseUp(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseDoubleClick(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseMove(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseDrag(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseWheel(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseLeave(const input::Point&) override { return QL_OK; }
  QLResultEnum OnKeyDown(int) override { return QL_OK; }
  QLResultEnum OnKeyUp(int) override { return QL_OK; }
  QLResultEnum OnChar(char16_t) override { return QL_OK; }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchMove(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return QL_OK; }

 private:
  input::InputWin32 input_;
  std::unique_ptr<app::Window> window_;
};
