#pragma once

#include <string>

#include "Core/App/Task.h"
#include "Core/Base/WString.h"
#include "Platform/Message.h"
#include "Platform/NativeWindow.h"
#include "Platform/SingleInstance.h"

namespace input {
class InputWin32;
}

namespace app {

struct WindowPosition {
  int x = 0;
  int y = 0;
};

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// The program's one window, as a task: its update hands the window's messages
// to the message handler, which turns close, activation and Alt+Enter into
// flags and passes mouse and keyboard on to the input.
class WindowWin32 : public base::Task, public platform::MessageHandler {
 public:
  WindowWin32(input::InputWin32* input, bool autoDelete, bool autoFinish, bool keepsParentAlive);
  ~WindowWin32() override;

  virtual bool CanClose();
  virtual void OnActivate();
  virtual void OnDeactivate();
  virtual void OnCreate();

  // A second copy of the program finds the first one's lock, calls its window
  // to the front and finishes the application instead of making a window.
  // Fails when the window could not be made.
  QLResultEnum Create(WindowPosition position, WindowSize windowSize, WindowSize clientSize, bool windowed,
                      const base::WString& title);
  // Takes the lock before anything of this copy touches the files the
  // running copy uses. False when another copy runs: it was asked to come to
  // the front and the application is finishing. A lock that cannot be taken
  // at all is logged and the program runs without it.
  bool ClaimInstance();
  QLResultEnum SwitchWindowMode(WindowSize windowSize, bool windowed);
  QLResultEnum SetWindowedSize(WindowSize windowSize);
  // The window system draws the frame outside the client area here.
  WindowSize GetWindowSizeForClient(WindowSize clientSize) const { return clientSize; }

  QLResultEnum OnUpdate(float dt) override;
  // Only asks for the close: the native window goes at the next update.
  void OnFinish() override;
  void HandleMessage(const platform::Message& message) override;

  // The lock file that keeps a second copy of the program out; none when empty.
  void SetInstanceLockPath(std::string path) { instanceLockPath_ = std::move(path); }

  platform::NativeWindow& GetNativeWindow() { return native_; }
  bool IsCreated() const { return created_; }
  bool IsActive() const { return active_; }
  bool IsMinimized() const { return minimized_; }
  bool IsWindowed() const { return windowed_; }
  bool IsMouseInside() const { return mouseInside_; }
  WindowPosition GetPosition() const { return position_; }
  WindowSize GetWindowSize() const { return windowSize_; }
  WindowSize GetClientSize() const { return clientSize_; }
  // Alt+Enter was pressed; the framework reads and clears it.
  bool IsModeSwitchRequested() const { return modeSwitchRequested_; }
  void ClearModeSwitchRequest() { modeSwitchRequested_ = false; }

 private:
  void UpdateActivity();
  void HandleKeyDown(const platform::Message& message);
  void Destroy();

  platform::NativeWindow native_;
  platform::SingleInstance instance_;
  std::string instanceLockPath_;
  bool instanceUnavailable_ = false;
  base::WString title_;
  bool created_ = false;
  bool activated_ = true;
  bool altHeld_ = false;
  bool minimized_ = false;
  bool active_ = true;
  bool windowed_ = true;
  WindowPosition position_;
  WindowSize windowSize_{800, 600};
  WindowSize clientSize_{800, 600};
  bool closeRequested_ = false;
  bool destroyed_ = false;
  bool modeSwitchRequested_ = false;
  bool mouseInside_ = false;
  input::InputWin32* input_;
};

}  // namespace app
