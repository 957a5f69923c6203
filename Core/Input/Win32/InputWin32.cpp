#include "Core/Input/Win32/InputWin32.h"

#include <algorithm>
#include <cstdint>

#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/EngineKeyCode.h"
#include "Platform/KeyboardState.h"

namespace input {

namespace {

bool IsVirtualKey(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }

KeyState NextKeyState(KeyState state, bool down) {
  if (down) return state == KeyState::Pressed || state == KeyState::Held ? KeyState::Held : KeyState::Pressed;
  // Only a key seen held is reported released; one let go before the next
  // update goes straight back to up.
  return state == KeyState::Held ? KeyState::Released : KeyState::Up;
}

}  // namespace

InputWin32::InputWin32(InputListener& listener, const CoordConverter& converter)
    : listener_(listener), converter_(converter) {}

QLResultEnum InputWin32::Update() {
  std::uint8_t keyboard[256];
  if (!platform::ReadKeyboardState(keyboard)) return QL_FAIL;
  for (std::size_t key = 0; key < keys_.size(); ++key) {
    keys_[key] = NextKeyState(keys_[key], (keyboard[key] & 0x80) != 0);
  }
  return QL_OK;
}

KeyState InputWin32::GetKeyState(int virtualKey) const {
  return IsVirtualKey(virtualKey) ? keys_[virtualKey] : KeyState::Up;
}

void InputWin32::KeyDown(int virtualKey, char16_t character) {
  if (!IsVirtualKey(virtualKey)) return;
  // Updating here lets a key pressed and let go between two frames still be
  // seen pressed at its own key-down. A failed read keeps the old states, and
  // the key-down is still judged by them.
  Update();
  if (keys_[virtualKey] == KeyState::Pressed) {
    listener_.OnKeyDown(EngineKeyCode(static_cast<std::uint8_t>(virtualKey)));
  }
  if (character != 0) listener_.OnChar(character);
}

void InputWin32::KeyUp(int virtualKey) {
  if (!IsVirtualKey(virtualKey)) return;
  listener_.OnKeyUp(EngineKeyCode(static_cast<std::uint8_t>(virtualKey)));
}

void InputWin32::Character(char16_t unit) { listener_.OnChar(unit); }

bool InputWin32::SetButton(Point window, int button, ButtonState state) {
  if (button < 0 || button >= static_cast<int>(buttons_.size())) return false;
  lastPoint_ = converter_.ToDesign(window);
  buttons_[button] = state;
  return true;
}

void InputWin32::MouseDown(Point window, int button) {
  if (SetButton(window, button, ButtonState::Down)) listener_.OnMouseDown(lastPoint_, button);
}

void InputWin32::MouseUp(Point window, int button) {
  if (SetButton(window, button, ButtonState::Up)) listener_.OnMouseUp(lastPoint_, button);
}

void InputWin32::MouseDoubleClick(Point window, int button) {
  if (SetButton(window, button, ButtonState::DoubleClicked)) listener_.OnMouseDoubleClick(lastPoint_, button);
}

void InputWin32::MouseMove(Point window) {
  lastPoint_ = converter_.ToDesign(window);
  // A double click is not the start of a drag: moves stay moves until the
  // button goes up and down again.
  if (std::ranges::find(buttons_, ButtonState::Down) != buttons_.end()) {
    listener_.OnMouseDrag(lastPoint_);
  } else {
    listener_.OnMouseMove(lastPoint_);
  }
}

void InputWin32::MouseWheel(Point window, int delta) {
  lastPoint_ = converter_.ToDesign(window);
  listener_.OnMouseWheel(lastPoint_, delta);
}

void InputWin32::MouseLeave(Point window) {
  lastPoint_ = converter_.ToDesign(window);
  listener_.OnMouseLeave(lastPoint_);
}

void InputWin32::CancelButtons() {
  if (std::ranges::all_of(buttons_, [](ButtonState state) { return state == ButtonState::Up; })) return;
  buttons_.fill(ButtonState::Up);
  listener_.OnMouseCancel(lastPoint_);
}

}  // namespace input
