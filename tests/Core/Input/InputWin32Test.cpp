#include "Core/Input/Win32/InputWin32.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <sstream>
#include <string>

#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Platform/KeyboardState.h"
#include "tests/Support/CaseNames.h"

namespace {

using input::KeyState;
using input::Point;
namespace vk = platform::vk;

// Writes every event as "name[argument]@x,y;" so one string shows a sequence.
class Recorder : public input::InputListener {
 public:
  std::string log;

  QLResultEnum OnMouseDown(const Point& p, int button) override { return Add("down" + Arg(button) + At(p)); }
  QLResultEnum OnMouseUp(const Point& p, int button) override { return Add("up" + Arg(button) + At(p)); }
  QLResultEnum OnMouseDoubleClick(const Point& p, int button) override { return Add("dbl" + Arg(button) + At(p)); }
  QLResultEnum OnMouseMove(const Point& p) override { return Add("move" + At(p)); }
  QLResultEnum OnMouseDrag(const Point& p) override { return Add("drag" + At(p)); }
  QLResultEnum OnMouseWheel(const Point& p, int delta) override { return Add("wheel" + Arg(delta) + At(p)); }
  QLResultEnum OnMouseLeave(const Point& p) override { return Add("leave" + At(p)); }
  QLResultEnum OnKeyDown(int key) override { return Add("keydown" + Arg(key)); }
  QLResultEnum OnKeyUp(int key) override { return Add("keyup" + Arg(key)); }
  QLResultEnum OnChar(char16_t unit) override { return Add("char" + Arg(unit)); }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return Add("touch"); }
  QLResultEnum OnTouchMove(const input::Touch&) override { return Add("touch"); }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return Add("touch"); }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return Add("touch"); }
  QLResultEnum OnMouseCancel(const Point& p) override { return Add("cancel" + At(p)); }

 private:
  static std::string Arg(int value) { return " " + std::to_string(value); }
  static std::string At(const Point& p) {
    std::ostringstream out;
    out << '@' << p.x << ',' << p.y;
    return out.str();
  }
  QLResultEnum Add(const std::string& event) {
    log += event + ";";
    return QL_OK;
  }
};

// Different on each axis, so a swapped or unconverted point shows.
class Scaler : public input::CoordConverter {
 public:
  Point ToDesign(Point window) const override { return {window.x * 2, window.y + 100}; }
};

class InputWin32Test : public ::testing::Test {
 protected:
  InputWin32Test() { platform::ReleaseAllKeys(); }
  ~InputWin32Test() override { platform::ReleaseAllKeys(); }

  // As the platform does: the keyboard state changes before the message.
  void Press(int virtualKey, char16_t character = 0) {
    platform::SetKeyDown(virtualKey, true);
    input.KeyDown(virtualKey, character);
  }
  void Release(int virtualKey) {
    platform::SetKeyDown(virtualKey, false);
    input.KeyUp(virtualKey);
  }

  Recorder listener;
  Scaler converter;
  input::InputWin32 input{listener, converter};
};

struct KeyRow {
  const char* name;
  int virtualKey;
  char16_t character;
  const char* expected;
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

class KeyCodeTest : public InputWin32Test, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyCodeTest, PressAndReleaseReportTheEngineCode) {
  Press(GetParam().virtualKey, GetParam().character);
  Release(GetParam().virtualKey);
  EXPECT_EQ(listener.log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodeTest,
                         ::testing::Values(KeyRow{"EnterIsTheKeypadEnter", vk::kReturn, 13, "keydown 271;char 13;keyup 271;"},
                                           KeyRow{"Backspace", vk::kBackspace, 8, "keydown 8;char 8;keyup 8;"},
                                           KeyRow{"Escape", vk::kEscape, 27, "keydown 27;char 27;keyup 27;"},
                                           KeyRow{"SideLessShift", vk::kShift, 0, "keydown 0;keyup 0;"},
                                           KeyRow{"SideLessAlt", vk::kMenu, 0, "keydown 0;keyup 0;"},
                                           KeyRow{"LeftAlt", 164, 0, "keydown 307;keyup 307;"},
                                           KeyRow{"RightShift", 161, 0, "keydown 303;keyup 303;"},
                                           KeyRow{"LetterA", 0x41, 0, "keydown 97;keyup 97;"},
                                           KeyRow{"LetterZ", 0x5A, 0, "keydown 122;keyup 122;"},
                                           KeyRow{"Digit9", 0x39, 0, "keydown 57;keyup 57;"},
                                           KeyRow{"F1", 0x70, 0, "keydown 282;keyup 282;"},
                                           KeyRow{"F15", 0x7E, 0, "keydown 296;keyup 296;"},
                                           KeyRow{"SemicolonNotColon", 186, 0, "keydown 59;keyup 59;"},
                                           KeyRow{"Keypad0", 0x60, 0, "keydown 256;keyup 256;"},
                                           KeyRow{"Keypad9", 0x69, 0, "keydown 265;keyup 265;"},
                                           KeyRow{"KeypadPoint", 110, 0, "keydown 266;keyup 266;"},
                                           KeyRow{"Up", 38, 0, "keydown 273;keyup 273;"},
                                           KeyRow{"Down", 40, 0, "keydown 274;keyup 274;"},
                                           KeyRow{"Right", 39, 0, "keydown 275;keyup 275;"},
                                           KeyRow{"Left", 37, 0, "keydown 276;keyup 276;"},
                                           KeyRow{"Delete", 46, 0, "keydown 127;keyup 127;"},
                                           KeyRow{"PrintScreen", 44, 0, "keydown 317;keyup 317;"},
                                           KeyRow{"UnnamedKey", 0xFF, 0, "keydown 0;keyup 0;"}),
                         testing_support::RowName());

TEST_F(InputWin32Test, VirtualKeysOutOfRangeAreIgnored) {
  for (int virtualKey : {-1, 256, INT_MIN, INT_MAX}) {
    Press(virtualKey, 'x');
    Release(virtualKey);
    EXPECT_EQ(input.GetKeyState(virtualKey), KeyState::Up) << virtualKey;
  }
  EXPECT_EQ(listener.log, "");
}

TEST_F(InputWin32Test, HeldKeyReportsOneKeyDownACharacterPerRepeatAndOneKeyUp) {
  Press(vk::kBackspace, 8);
  input.Update();
  input.KeyDown(vk::kBackspace, 8);
  input.Update();
  input.KeyDown(vk::kBackspace, 8);
  Release(vk::kBackspace);
  EXPECT_EQ(listener.log, "keydown 8;char 8;char 8;char 8;keyup 8;");
}

TEST_F(InputWin32Test, TypedTextArrivesApartFromKeys) {
  input.Character(u'\u00e9');
  EXPECT_EQ(listener.log, "char 233;");
  EXPECT_EQ(input.GetKeyState(0xE9), KeyState::Up);
}

struct StateRow {
  const char* name;
  const char* downAtEachUpdate;  // '1' down, '0' up
  const char* expected;          // U up, P pressed, H held, R released
};

void PrintTo(const StateRow& row, std::ostream* out) { *out << row.name; }

class KeyStateTest : public InputWin32Test, public ::testing::WithParamInterface<StateRow> {};

TEST_P(KeyStateTest, AdvancesOncePerUpdate) {
  std::string states;
  for (const char* down = GetParam().downAtEachUpdate; *down != 0; ++down) {
    platform::SetKeyDown(0x41, *down == '1');
    input.Update();
    states += "UPHR"[static_cast<int>(input.GetKeyState(0x41))];
  }
  EXPECT_EQ(states, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sequences, KeyStateTest,
                         ::testing::Values(StateRow{"HeldAcrossFrames", "111100", "PHHHRU"},
                                           StateRow{"ReleasedOnlyAfterHeld", "10", "PU"},
                                           StateRow{"PressedAgainRightAfterRelease", "1101", "PHRP"},
                                           StateRow{"NeverDown", "00", "UU"}),
                         testing_support::RowName());

TEST_F(InputWin32Test, TapBetweenTwoUpdatesIsPressedThenUp) {
  Press(0x41);
  EXPECT_EQ(input.GetKeyState(0x41), KeyState::Pressed);
  Release(0x41);
  input.Update();
  EXPECT_EQ(input.GetKeyState(0x41), KeyState::Up);
  EXPECT_EQ(listener.log, "keydown 97;keyup 97;");
}

TEST_F(InputWin32Test, EveryMouseEventReportsTheDesignPoint) {
  input.MouseMove({1, 2});
  input.MouseDown({3, 4}, 1);
  input.MouseUp({5, 6}, 1);
  input.MouseDoubleClick({7, 8}, 3);
  input.MouseWheel({9, 10}, -240);
  input.MouseLeave({-1.5f, 12});
  EXPECT_EQ(listener.log, "move@2,102;down 1@6,104;up 1@10,106;dbl 3@14,108;wheel -240@18,110;leave@-3,112;");
}

TEST_F(InputWin32Test, MoveWithAButtonDownIsADrag) {
  input.MouseDown({0, 0}, 3);
  input.MouseMove({1, 0});
  input.MouseUp({1, 0}, 3);
  input.MouseMove({2, 0});
  EXPECT_EQ(listener.log, "down 3@0,100;drag@2,100;up 3@2,100;move@4,100;");
}

TEST_F(InputWin32Test, MoveAfterADoubleClickWithTheButtonHeldIsNotADrag) {
  input.MouseDown({0, 0}, 1);
  input.MouseUp({0, 0}, 1);
  input.MouseDoubleClick({0, 0}, 1);
  listener.log.clear();
  input.MouseMove({1, 0});
  EXPECT_EQ(listener.log, "move@2,100;");
}

// Both buttons held end in one cancel, with no button-up that could click.
TEST_F(InputWin32Test, CancelButtonsEndsADragAtTheLastPointOnce) {
  input.MouseDown({0, 0}, 1);
  input.MouseDown({0, 0}, 3);
  input.MouseMove({4, 5});
  input.CancelButtons();
  input.CancelButtons();
  input.MouseMove({6, 0});
  EXPECT_EQ(listener.log, "down 1@0,100;down 3@0,100;drag@8,105;cancel@8,105;move@12,100;");
}

TEST_F(InputWin32Test, CancelButtonsEndsADoubleClick) {
  input.MouseDoubleClick({1, 1}, 3);
  listener.log.clear();
  input.CancelButtons();
  EXPECT_EQ(listener.log, "cancel@2,101;");
}

TEST_F(InputWin32Test, CancelButtonsWithNothingDownReportsNothing) {
  input.MouseDown({0, 0}, 1);
  input.MouseUp({0, 0}, 1);
  listener.log.clear();
  input.CancelButtons();
  EXPECT_EQ(listener.log, "");
}

TEST_F(InputWin32Test, ButtonsOutOfRangeAreIgnored) {
  for (int button : {-1, 4, INT_MIN, INT_MAX}) {
    input.MouseDown({1, 1}, button);
    input.MouseDoubleClick({1, 1}, button);
    input.MouseUp({1, 1}, button);
  }
  input.MouseMove({0, 0});
  input.CancelButtons();
  EXPECT_EQ(listener.log, "move@0,100;");
}

}  // namespace
