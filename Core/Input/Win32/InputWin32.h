#pragma once

#include <array>

#include "Core/Base/Result.h"
#include "Core/Input/Point.h"

namespace input {

class CoordConverter;
class InputListener;

// What became of a key between the two latest updates.
enum class KeyState { Up, Pressed, Held, Released };

// Turns the window's keyboard and mouse messages into listener calls: keys as
// engine key codes, mouse points in design coordinates. Virtual keys outside
// 0..255 and buttons outside 0..3 are ignored.
class InputWin32 {
 public:
  InputWin32(InputListener& listener, const CoordConverter& converter);

  // Once per frame. Pressed and Released each last until the next update.
  QLResultEnum Update();
  KeyState GetKeyState(int virtualKey) const;

  // `character` is what the key types by itself (Enter, Backspace, Tab and
  // Escape do, also on auto-repeat), else 0.
  void KeyDown(int virtualKey, char16_t character);
  void KeyUp(int virtualKey);
  // Typed text, one UTF-16 unit per call.
  void Character(char16_t unit);

  void MouseDown(Point window, int button);
  void MouseUp(Point window, int button);
  void MouseDoubleClick(Point window, int button);
  void MouseMove(Point window);
  // `delta` is 120 per notch, negative when turned towards the user.
  void MouseWheel(Point window, int delta);
  void MouseLeave(Point window);

  // For the window losing focus: the button-up messages then go elsewhere, and
  // a button left down would turn every later move into a drag. The listener
  // hears a cancel, not a button-up: nothing pressed is clicked.
  void CancelButtons();

 private:
  enum class ButtonState { Up, Down, DoubleClicked };

  // False, touching nothing, when the button has no state of its own.
  bool SetButton(Point window, int button, ButtonState state);

  InputListener& listener_;
  const CoordConverter& converter_;
  Point lastPoint_;
  std::array<ButtonState, 4> buttons_{};
  std::array<KeyState, 256> keys_{};
};

}  // namespace input
