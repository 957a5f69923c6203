#include "Framework/GameWindow.h"

#include "Framework/GameApplication.h"

namespace framework {

GameWindow::GameWindow(input::InputWin32* input) : app::Window(input, false, false, true) {}

QLResultEnum GameWindow::OnUpdate(float dt) {
  if (const QLResultEnum result = app::Window::OnUpdate(dt); result != QL_OK) return result;
  // The message just handled may have closed the window: nothing is drawn
  // into a window that is gone.
  if (!IsCreated() || IsFinished()) return QL_OK;
  GameApplication* application = GameApplication::Instance();
  if (!application) return QL_OK;
  if (IsModeSwitchRequested()) {
    ClearModeSwitchRequest();
    return application->SwitchScreenMode();
  }
  return application->Tick(dt);
}

void GameWindow::OnActivate() {
  if (GameApplication* application = GameApplication::Instance()) application->OnActivate();
}

void GameWindow::OnDeactivate() {
  if (GameApplication* application = GameApplication::Instance()) application->OnDeactivate();
}

}  // namespace framework
