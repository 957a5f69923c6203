#include "Core/App/Window.h"

#include <SDL_scancode.h>
#include <SDL_video.h>
#include <gtest/gtest.h>

#include <string>

#include "Core/App/Application.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Platform/KeyboardState.h"
#include "Platform/Session.h"
#include "Platform/SingleInstance.h"
#include "tests/Support/SyntheticEvents.h"
#include "tests/Support/TempFolder.h"

namespace {

using namespace testing_support;

// Writes every event as a short word so a sequence reads as one string.
class Recorder : public input::InputListener {
 public:
  std::string log;

  QLResultEnum OnMouseDown(const input::Point& p, int b) override { return Add("down", p, b); }
  QLResultEnum OnMouseUp(const input::Point& p, int b) override { return Add("up", p, b); }
  QLResultEnum OnMouseDoubleClick(const input::Point& p, int b) override { return Add("double", p, b); }
  QLResultEnum OnMouseMove(const input::Point& p) override { return Add("move", p); }
  QLResultEnum OnMouseDrag(const input::Point& p) override { return Add("drag", p); }
  QLResultEnum OnMouseWheel(const input::Point& p, int delta) override { return Add("wheel", p, delta); }
  QLResultEnum OnMouseLeave(const input::Point& p) override { return Add("leave", p); }
  QLResultEnum OnKeyDown(int key) override { return Word("key" + std::to_string(key)); }
  QLResultEnum OnKeyUp(int key) override { return Word("up" + std::to_string(key)); }
  QLResultEnum OnChar(char16_t unit) override { return Word("char" + std::to_string(unit)); }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchMove(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnMouseCancel(const input::Point& p) override { return Add("cancel", p); }

 private:
  QLResultEnum Word(const std::string& word) {
    log += (log.empty() ? "" : " ") + word;
    return QL_OK;
  }
  QLResultEnum Add(const char* what, const input::Point& p, int extra = 0) {
    return Word(std::string(what) + "(" + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) +
                (extra ? "," + std::to_string(extra) : "") + ")");
  }
};

// Design coordinates are half the window's here, to show the conversion.
class HalfScale : public input::CoordConverter {
 public:
  input::Point ToDesign(input::Point window) const override { return {window.x / 2, window.y / 2}; }
};

class CountingWindow : public app::Window {
 public:
  using app::Window::Window;
  int activations = 0;
  int deactivations = 0;
  void OnActivate() override { ++activations; }
  void OnDeactivate() override { ++deactivations; }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Startup();
    platform::ReleaseAllKeys();
    ASSERT_EQ(window_.Create({0, 0}, {320, 240}, {320, 240}, true, u"Lanternfall test"), QL_OK);
    id_ = window_.GetNativeWindow().GetId();
    Settle();
    recorder_.log.clear();
  }
  void TearDown() override { platform::Shutdown(); }

  // Each update hands the window at most one message, as the main loop does.
  void Settle(int updates = 32) {
    for (int i = 0; i < updates; ++i) window_.Update(0.01f);
  }

  Recorder recorder_;
  HalfScale converter_;
  input::InputWin32 input_{recorder_, converter_};
  CountingWindow window_{&input_, false, false, true};
  std::uint32_t id_ = 0;
};

TEST_F(WindowTest, AltEnterSwitchesModesOncePerAltPress) {
  PostKey(id_, SDL_SCANCODE_LALT, true);
  PostKey(id_, SDL_SCANCODE_RETURN, true);
  Settle();
  EXPECT_TRUE(window_.IsModeSwitchRequested());
  EXPECT_EQ(recorder_.log, "key0") << "Enter is swallowed; Alt itself reports code 0";

  window_.ClearModeSwitchRequest();
  PostKey(id_, SDL_SCANCODE_RETURN, true);  // Alt still down: no second switch
  Settle();
  EXPECT_FALSE(window_.IsModeSwitchRequested());
  EXPECT_EQ(recorder_.log, "key0 key271 char13");

  PostKey(id_, SDL_SCANCODE_LALT, false);
  PostKey(id_, SDL_SCANCODE_LALT, true);
  PostKey(id_, SDL_SCANCODE_KP_ENTER, true);
  Settle();
  EXPECT_TRUE(window_.IsModeSwitchRequested()) << "pressing Alt again re-arms it";
}

TEST_F(WindowTest, AnAltLostWithTheFocusDoesNotArmEnter) {
  PostKey(id_, SDL_SCANCODE_LALT, true);
  PostWindowEvent(id_, SDL_WINDOWEVENT_FOCUS_LOST);
  PostWindowEvent(id_, SDL_WINDOWEVENT_FOCUS_GAINED);
  PostKey(id_, SDL_SCANCODE_RETURN, true);
  Settle();
  EXPECT_FALSE(window_.IsModeSwitchRequested());
  EXPECT_EQ(recorder_.log, "key0 key271 char13");
}

TEST_F(WindowTest, MinimisingAndLosingTheFocusDeactivateOnce) {
  PostWindowEvent(id_, SDL_WINDOWEVENT_FOCUS_LOST);
  PostWindowEvent(id_, SDL_WINDOWEVENT_MINIMIZED);
  Settle();
  EXPECT_FALSE(window_.IsActive());
  PostWindowEvent(id_, SDL_WINDOWEVENT_FOCUS_GAINED);
  Settle();
  EXPECT_FALSE(window_.IsActive()) << "still minimised";
  PostWindowEvent(id_, SDL_WINDOWEVENT_RESTORED);
  Settle();
  EXPECT_TRUE(window_.IsActive());
  EXPECT_EQ(window_.deactivations, 1);
  EXPECT_EQ(window_.activations, 1);
}

TEST_F(WindowTest, ClosingFinishesTheWindowOnTheNextUpdate) {
  PostWindowEvent(id_, SDL_WINDOWEVENT_CLOSE);
  Settle(1);
  EXPECT_TRUE(window_.IsFinishing());
  EXPECT_FALSE(window_.IsFinished()) << "the native window goes at the next update";
  Settle(1);
  EXPECT_TRUE(window_.IsFinished());
  EXPECT_FALSE(window_.GetNativeWindow().IsOpen());
}

TEST_F(WindowTest, EndingTheProcessClosesTheWindow) {
  PostQuit();
  Settle(2);
  EXPECT_TRUE(window_.IsFinished());
}

TEST_F(WindowTest, KeysRepeatCharactersButNotKeyDowns) {
  PostKey(id_, SDL_SCANCODE_A, true);
  PostText(id_, "a");
  PostKey(id_, SDL_SCANCODE_A, true, true);
  PostText(id_, "a");
  PostKey(id_, SDL_SCANCODE_A, false);
  PostText(id_, "\xC3\xA9\xF0\x9F\x8F\xB0");  // é, then a castle outside the basic plane
  Settle();
  EXPECT_EQ(recorder_.log, "key97 char97 char97 up97 char233");
}

TEST_F(WindowTest, ATapBetweenTwoUpdatesIsStillSeen) {
  input_.Update();
  PostKey(id_, SDL_SCANCODE_F1, true);
  PostKey(id_, SDL_SCANCODE_F1, false);
  Settle();
  input_.Update();
  EXPECT_EQ(recorder_.log, "key282 up282");
  EXPECT_EQ(input_.GetKeyState(0x70), input::KeyState::Up);
}

TEST_F(WindowTest, MouseMessagesReachTheInputInDesignCoordinates) {
  PostMouseButton(id_, 20, 40, true, true);
  PostMouseMove(id_, 30, 40);
  PostMouseButton(id_, -60, 500, true, false);  // released outside the window
  PostMouseButton(id_, 30, 40, true, true, 2);
  PostMouseMove(id_, 36, 40);
  PostMouseButton(id_, 36, 40, true, false, 2);
  PostWheel(id_, 10, 12, -2);
  PostMouseMove(id_, 2, 2);
  PostWindowEvent(id_, SDL_WINDOWEVENT_LEAVE);
  Settle();
  EXPECT_EQ(recorder_.log,
            "down(10,20,1) drag(15,20) up(-30,250,1) double(15,20,1) move(18,20) up(18,20,1) wheel(5,6,-240) "
            "move(1,1) move(1,1) leave(1,1)");
  EXPECT_FALSE(window_.IsMouseInside());
}

TEST_F(WindowTest, AButtonHeldWhenTheFocusGoesIsCancelledNotReleased) {
  PostMouseButton(id_, 8, 8, false, true);
  PostWindowEvent(id_, SDL_WINDOWEVENT_FOCUS_LOST);
  PostMouseMove(id_, 10, 10);
  Settle();
  EXPECT_EQ(recorder_.log, "down(4,4,3) cancel(4,4) move(5,5)");
}

TEST_F(WindowTest, ModeAndSizeChangesAreKept) {
  EXPECT_EQ(window_.SwitchWindowMode({320, 240}, true), QL_OK);
  EXPECT_EQ(window_.SetWindowedSize({400, 300}), QL_OK);
  EXPECT_EQ(window_.GetWidth(), 400);
  EXPECT_EQ(window_.SwitchWindowMode({640, 480}, false), QL_OK);
  EXPECT_FALSE(window_.IsWindowed());
  EXPECT_EQ(window_.GetHeight(), 480);
}

TEST(SingleInstanceTest, ASecondCopyCallsTheFirstAndEnds) {
  platform::Startup();
  TempFolder folder;
  const std::string lock = folder.Path().string() + "/instance.lock";
  folder.WriteFile("log.html", "first copy's log");

  Recorder recorder;
  HalfScale converter;
  input::InputWin32 input(recorder, converter);
  app::Window first(&input, false, false, true);
  first.SetInstanceLockPath(lock);
  ASSERT_EQ(first.Create({0, 0}, {64, 64}, {64, 64}, true, u"first"), QL_OK);
  EXPECT_TRUE(first.IsCreated());

  app::Window second(&input, false, false, true);
  second.SetInstanceLockPath(lock);
  EXPECT_EQ(second.Create({0, 0}, {64, 64}, {64, 64}, true, u"second"), QL_OK);
  EXPECT_FALSE(second.IsCreated());
  EXPECT_TRUE(app::Application::Instance()->IsAlreadyRunning());
  EXPECT_TRUE(app::Application::Instance()->IsFinishing());
  EXPECT_EQ(folder.ReadFile("log.html"), "first copy's log");

  platform::SingleInstance probe;
  EXPECT_EQ(probe.Acquire(lock), platform::SingleInstance::Claim::kHeldByAnother);
  EXPECT_TRUE(platform::SingleInstance::AskHolderToRestore(lock));
  SingletonRegistry::Shutdown();
  platform::Shutdown();
}

TEST(SingleInstanceTest, TheLockCarriesRestoreRequests) {
  TempFolder folder;
  const std::string lock = folder.Path().string() + "/instance.lock";
  platform::SingleInstance holder;
  ASSERT_EQ(holder.Acquire(lock), platform::SingleInstance::Claim::kAcquired);
  EXPECT_FALSE(holder.TakeRestoreRequest());
  EXPECT_TRUE(platform::SingleInstance::AskHolderToRestore(lock));
  EXPECT_TRUE(holder.TakeRestoreRequest());
  EXPECT_FALSE(holder.TakeRestoreRequest());

  platform::SingleInstance other;
  EXPECT_EQ(other.Acquire(lock), platform::SingleInstance::Claim::kHeldByAnother);
  EXPECT_EQ(other.Acquire(folder.Path().string() + "/no/such/folder/instance.lock"),
            platform::SingleInstance::Claim::kUnavailable);
}

}  // namespace
