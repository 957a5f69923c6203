#pragma once

#include "Core/App/Window.h"

namespace framework {

// The game's window: each update hands one message of the window on and then
// runs one frame of the application, or the screen-mode switch it asked for.
class GameWindow : public app::Window {
 public:
  explicit GameWindow(input::InputWin32* input);

  QLResultEnum OnStart() override { return QL_OK; }
  QLResultEnum OnUpdate(float dt) override;
  bool CanClose() override { return true; }
  void OnActivate() override;
  void OnDeactivate() override;
};

}  // namespace framework
