#include "Core/App/Win32/WindowWin32.h"

#include "Core/App/Application.h"
#include "Core/App/CriticalSection.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/Utf.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Platform/KeyboardState.h"
#include "Platform/MessageQueue.h"

namespace app {

namespace {

input::Point PointOf(const platform::Message& message) {
  return {static_cast<float>(message.x), static_cast<float>(message.y)};
}

}  // namespace

WindowWin32::WindowWin32(input::InputWin32* input, bool autoDelete, bool autoFinish, bool keepsParentAlive)
    : base::Task(autoDelete, autoFinish, keepsParentAlive, true), input_(input) {}

WindowWin32::~WindowWin32() { Destroy(); }

bool WindowWin32::CanClose() { return true; }

void WindowWin32::OnActivate() {}

void WindowWin32::OnDeactivate() {}

void WindowWin32::OnCreate() {}

QLResultEnum WindowWin32::Create(WindowPosition position, WindowSize windowSize, WindowSize clientSize,
                                 bool windowed, const base::WString& title) {
  title_ = title;
  if (!ClaimInstance()) return QL_OK;

  position_ = position;
  windowSize_ = windowSize;
  clientSize_ = clientSize;
  windowed_ = windowed;
  {
    // Messages sent while the window is being made must reach this object.
    ScopedLock guard(&WindowCreationLock);
    if (!native_.Create(base::Utf8FromWideLenient(title_), position.x, position.y, windowSize.width,
                        windowSize.height, windowed))
      return QL_FAIL;
    platform::SetMessageHandler(native_.GetId(), this);
  }
  created_ = true;
  OnCreate();
  return QL_OK;
}

bool WindowWin32::ClaimInstance() {
  if (instanceLockPath_.empty() || instance_.IsHeld() || instanceUnavailable_) return true;
  switch (instance_.Acquire(instanceLockPath_)) {
    case platform::SingleInstance::Claim::kAcquired:
      return true;
    case platform::SingleInstance::Claim::kUnavailable:
      instanceUnavailable_ = true;
      QL_LOG(u"The instance lock '%s' cannot be taken: other copies of the program are not kept out\n")
          .AddArg(base::WideFromUtf8Lenient(instanceLockPath_));
      return true;
    case platform::SingleInstance::Claim::kHeldByAnother:
      break;
  }
  platform::SingleInstance::AskHolderToRestore(instanceLockPath_);
  Application* application = Application::Instance();
  application->SetAlreadyRunning();
  application->Finish();
  return false;
}

QLResultEnum WindowWin32::SwitchWindowMode(WindowSize windowSize, bool windowed) {
  if (windowSize == windowSize_ && windowed == windowed_) return QL_OK;
  windowSize_ = windowSize;
  windowed_ = windowed;
  native_.SetMode(position_.x, position_.y, windowSize.width, windowSize.height, windowed);
  return QL_OK;
}

QLResultEnum WindowWin32::SetWindowedSize(WindowSize windowSize) {
  windowSize_ = windowSize;
  native_.SetBounds(position_.x, position_.y, windowSize.width, windowSize.height);
  return QL_OK;
}

QLResultEnum WindowWin32::OnUpdate(float) {
  if (!created_ || (IsFinished() && IsChildless())) return QL_OK;
  if (closeRequested_ && !destroyed_) Destroy();
  if (instance_.TakeRestoreRequest()) native_.Restore();
  if (destroyed_) return QL_OK;
  if (const auto message = platform::PopMessage(native_.GetId())) HandleMessage(*message);
  return QL_OK;
}

void WindowWin32::OnFinish() { closeRequested_ = true; }

void WindowWin32::Destroy() {
  if (!native_.IsOpen()) return;
  destroyed_ = true;
  native_.Close();
  SetFinished();
}

void WindowWin32::HandleMessage(const platform::Message& message) {
  switch (message.type) {
    case platform::MessageType::kActivateApp:
      activated_ = message.flag;
      // An Alt released while another program had the focus was never seen.
      if (!activated_) altHeld_ = false;
      UpdateActivity();
      break;
    case platform::MessageType::kSize:
      minimized_ = message.flag;
      UpdateActivity();
      break;
    case platform::MessageType::kMove:
      if (windowed_ && !minimized_) position_ = {message.x, message.y};
      break;
    case platform::MessageType::kClose:
      if (CanClose()) Finish();
      break;
    case platform::MessageType::kKeyDown:
      HandleKeyDown(message);
      break;
    case platform::MessageType::kKeyUp:
      if (message.virtualKey == platform::vk::kMenu) altHeld_ = false;
      input_->KeyUp(message.virtualKey);
      break;
    case platform::MessageType::kCharacter:
      input_->Character(message.character);
      break;
    case platform::MessageType::kMouseMove:
      mouseInside_ = true;
      input_->MouseMove(PointOf(message));
      break;
    case platform::MessageType::kMouseDown:
      input_->MouseDown(PointOf(message), message.button);
      break;
    case platform::MessageType::kMouseUp:
      input_->MouseUp(PointOf(message), message.button);
      break;
    case platform::MessageType::kMouseDoubleClick:
      input_->MouseDoubleClick(PointOf(message), message.button);
      break;
    case platform::MessageType::kMouseWheel:
      input_->MouseWheel(PointOf(message), message.delta);
      break;
    case platform::MessageType::kMouseLeave:
      mouseInside_ = false;
      input_->MouseMove(PointOf(message));
      input_->MouseLeave(PointOf(message));
      break;
  }
}

void WindowWin32::HandleKeyDown(const platform::Message& message) {
  if (message.virtualKey == platform::vk::kMenu) altHeld_ = true;
  // The Alt key must still be down now, not merely seen going down once.
  if (altHeld_ && message.virtualKey == platform::vk::kReturn && platform::IsKeyDown(platform::vk::kMenu)) {
    modeSwitchRequested_ = true;
    altHeld_ = false;
    return;
  }
  input_->KeyDown(message.virtualKey, message.character);
}

void WindowWin32::UpdateActivity() {
  const bool active = activated_ && !minimized_;
  if (active == active_) return;
  active_ = active;
  if (active) {
    OnActivate();
    return;
  }
  OnDeactivate();
  // A button held while the focus went away would otherwise never come up.
  input_->CancelButtons();
}

}  // namespace app
