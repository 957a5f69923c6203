#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "tests/Core/Widget/WidgetFixtures.h"

namespace {

using widget::FrameManager;
using widget_testing::Journal;
using widget_testing::LogRecorder;
using widget_testing::TestFrame;
using widget_testing::TestWidget;

std::vector<std::string> StackNames(const FrameManager& manager, const std::vector<const widget::Frame*>& frames,
                                    const std::vector<std::string>& names) {
  std::vector<std::string> stack;
  for (const FrameManager::StackEntry& entry : manager.GetStack()) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
      if (frames[i] == entry.frame) stack.push_back(names[i] + std::to_string(entry.mode));
    }
  }
  return stack;
}

enum PushKind { kNormal, kAbove, kModal };

struct StackCase {
  const char* name;
  std::vector<std::pair<char, PushKind>> pushes;
  std::string expected;
};

class StackInsertionTest : public testing::TestWithParam<StackCase> {};

TEST_P(StackInsertionTest, NormalFramesStayBelowAboveFramesAndModalFramesStayOnTop) {
  Journal journal;
  FrameManager manager;
  std::vector<std::unique_ptr<TestFrame>> frames;
  std::vector<const widget::Frame*> pointers;
  std::vector<std::string> names;
  for (const auto& [name, kind] : GetParam().pushes) {
    frames.push_back(std::make_unique<TestFrame>(std::string(1, name), journal));
    pointers.push_back(frames.back().get());
    names.emplace_back(1, name);
    if (kind == kModal) {
      ASSERT_EQ(manager.PushModal(frames.back().get(), false), QL_OK);
    } else {
      ASSERT_EQ(manager.PushFrame(frames.back().get(), kind == kAbove, false, false), QL_OK);
    }
  }
  std::string stack;
  for (const std::string& entry : StackNames(manager, pointers, names)) stack += entry + " ";
  EXPECT_EQ(stack, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pushes, StackInsertionTest,
    testing::Values(
        StackCase{"NormalOnNormal", {{'A', kNormal}, {'B', kNormal}}, "A0 B0 "},
        StackCase{"NormalBelowModal", {{'A', kNormal}, {'M', kModal}, {'B', kNormal}}, "A0 B0 M2 "},
        StackCase{"AboveBelowModal", {{'A', kNormal}, {'M', kModal}, {'B', kNormal}, {'E', kAbove}}, "A0 B0 E1 M2 "},
        StackCase{"SecondModalOnTop", {{'A', kNormal}, {'M', kModal}, {'N', kModal}}, "A0 M2 N2 "},
        StackCase{"NormalBelowAbove", {{'E', kAbove}, {'A', kNormal}}, "A0 E1 "},
        StackCase{"AboveOnAbove", {{'A', kNormal}, {'E', kAbove}, {'F', kAbove}}, "A0 E1 F1 "},
        StackCase{"NormalBelowAboveAndModal", {{'E', kAbove}, {'M', kModal}, {'A', kNormal}}, "A0 E1 M2 "}),
    [](const auto& info) { return std::string(info.param.name); });

// Two frames side by side; the right one holds a button that captures.
class FrameManagerTest : public testing::Test {
 protected:
  FrameManagerTest() {
    right_.AddChild(&button_);
    button_.SetCapturesOnPress(true);
    manager_.PushFrame(&left_, false, false, false);
    manager_.PushFrame(&right_, false, false, false);
    journal_.clear();
  }

  Journal journal_;
  FrameManager manager_;
  TestFrame left_{"left", journal_, 0, 0, 100, 100};
  TestFrame right_{"right", journal_, 200, 0, 100, 100};
  TestWidget button_{"button", journal_, 10, 20, 30, 30};
};

TEST_F(FrameManagerTest, ACaptureTakesEveryEventConvertedIntoItsSpace) {
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, &button_);
  EXPECT_TRUE(button_.IsCaptured());
  journal_.clear();

  // Over the left frame, but only the button hears it, in its parent's space.
  ASSERT_EQ(manager_.OnMouseMove({50, 50}), QL_OK);
  EXPECT_EQ(journal_, (Journal{"button captured move"}));
  EXPECT_FLOAT_EQ(button_.listener.lastCapturedPoint.x, -150.0f);
  EXPECT_FLOAT_EQ(button_.listener.lastCapturedPoint.y, 50.0f);

  // The release ends the capture and the hover follows the pointer.
  journal_.clear();
  ASSERT_EQ(manager_.OnMouseUp({50, 50}, 1), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_FALSE(button_.IsCaptured());
  EXPECT_EQ(journal_.front(), "button captured up");
  EXPECT_EQ(manager_.GetHoverFrame(), &left_);
}

TEST_F(FrameManagerTest, ACaptureInTheLayersOwnSpaceGetsPointsRelativeToTheLayer) {
  manager_.GetCapture().Set(&button_, button_.GetLayer(), {}, false);
  ASSERT_EQ(manager_.OnMouseMove({50, 50}), QL_OK);
  EXPECT_EQ(journal_, (Journal{"button captured move"}));
  // The button's layer sits at (10, 20) in the frame at (200, 0).
  EXPECT_FLOAT_EQ(button_.listener.lastCapturedPoint.x, -160.0f);
  EXPECT_FLOAT_EQ(button_.listener.lastCapturedPoint.y, 30.0f);
  ASSERT_EQ(manager_.OnMouseCancel(), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
}

TEST_F(FrameManagerTest, ACapturedWidgetWithoutListenerLetsTheMouseGo) {
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  button_.SetListener(nullptr, false);
  journal_.clear();
  ASSERT_EQ(manager_.OnMouseDown({50, 50}, 1), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_FALSE(button_.IsCaptured());
  EXPECT_EQ(journal_, (Journal{"right deactivate", "left activate", "left press"}));
}

TEST_F(FrameManagerTest, AModalFrameBlocksWhatIsBelowAndStaysActive) {
  TestFrame modal("modal", journal_, 500, 500, 50, 50);
  ASSERT_EQ(manager_.PushModal(&modal, false), QL_OK);
  journal_.clear();

  ASSERT_EQ(manager_.OnMouseDown({50, 50}, 1), QL_OK);
  ASSERT_EQ(manager_.OnMouseMove({50, 50}), QL_OK);
  EXPECT_TRUE(journal_.empty());
  EXPECT_EQ(manager_.GetActiveFrame(), &modal);
  EXPECT_TRUE(modal.IsActive());
}

TEST_F(FrameManagerTest, AClickOutsideEveryFrameDeactivatesANormalFrame) {
  ASSERT_EQ(manager_.OnMouseDown({50, 50}, 1), QL_OK);
  EXPECT_EQ(journal_, (Journal{"left activate", "left press"}));
  journal_.clear();
  ASSERT_EQ(manager_.OnMouseDown({150, 50}, 1), QL_OK);
  EXPECT_EQ(journal_, (Journal{"left deactivate"}));
  EXPECT_EQ(manager_.GetActiveFrame(), nullptr);
}

TEST_F(FrameManagerTest, AMoveOverEmptySpaceClearsTheHover) {
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  EXPECT_EQ(right_.GetHoverWidget(), &button_);
  ASSERT_EQ(manager_.OnMouseMove({150, 50}), QL_OK);
  EXPECT_EQ(right_.GetHoverWidget(), nullptr);
  EXPECT_EQ(manager_.GetHoverFrame(), nullptr);
}

TEST_F(FrameManagerTest, APushAndARemovalQueuedInOneFrameBothApply) {
  bool deleted = false;
  auto* dialog = new TestFrame("dialog", journal_);
  dialog->deleted = &deleted;
  ASSERT_EQ(manager_.PushFrame(dialog, false, true, true), QL_OK);
  ASSERT_EQ(manager_.RemoveFrame(dialog, true, true), QL_OK);
  EXPECT_FALSE(manager_.IsOnStack(dialog)) << "nothing happens before the update";

  ASSERT_EQ(manager_.Update(0.5f), QL_OK);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(manager_.GetStack().size(), 2u);
  EXPECT_EQ(manager_.GetActiveFrame(), nullptr);
  EXPECT_EQ(journal_,
            (Journal{"left update", "right update", "button update", "dialog show", "dialog activate", "dialog hide"}))
      << "a frame pushed during a frame is first updated in the next one";
}

TEST_F(FrameManagerTest, AFrameIsNotPushedTwice) {
  LogRecorder& log = LogRecorder::Get();
  log.writes.clear();
  ASSERT_EQ(manager_.PushFrame(&left_, true, false, false), QL_OK);
  EXPECT_EQ(manager_.GetStack().size(), 2u);
  EXPECT_EQ(manager_.GetStack().front().frame, &left_);
  EXPECT_TRUE(journal_.empty());
  EXPECT_TRUE(log.Saw(u"already on the stack"));
}

TEST_F(FrameManagerTest, RemovingAFrameClearsTheCaptureInsideIt) {
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  ASSERT_EQ(manager_.GetCapture().widget, &button_);
  journal_.clear();

  ASSERT_EQ(manager_.RemoveFrame(&right_, false, false), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_FALSE(button_.IsCaptured());
  EXPECT_EQ(manager_.GetActiveFrame(), nullptr);
  EXPECT_EQ(manager_.GetHoverFrame(), nullptr);
  EXPECT_EQ(right_.GetManager(), nullptr);
  EXPECT_EQ(journal_, (Journal{"right hide", "button hide"}));

  // The left frame has the mouse again.
  journal_.clear();
  ASSERT_EQ(manager_.OnMouseDown({50, 50}, 1), QL_OK);
  EXPECT_EQ(journal_, (Journal{"left activate", "left press"}));
}

TEST_F(FrameManagerTest, RemovingAFrameThatIsNotOnTheStackFails) {
  TestFrame stranger("stranger", journal_);
  EXPECT_EQ(manager_.RemoveFrame(&stranger, false, false), QL_FAIL);
}

TEST_F(FrameManagerTest, AQueuedRemovalOfAFrameOffTheStackIsLoggedAndSkipped) {
  LogRecorder& log = LogRecorder::Get();
  log.writes.clear();
  ASSERT_EQ(manager_.RemoveFrame(&left_, false, true), QL_OK);
  ASSERT_EQ(manager_.RemoveFrame(&right_, false, true), QL_OK);
  ASSERT_EQ(manager_.RemoveFrame(&left_, false, false), QL_OK);

  EXPECT_EQ(manager_.Update(0.0f), QL_OK);
  EXPECT_TRUE(manager_.GetStack().empty()) << "the removal after the skipped one still applies";
  EXPECT_TRUE(log.Saw(u"queued removal skipped"));
}

TEST_F(FrameManagerTest, AFrameDeletedOnTheStackLeavesIt) {
  auto* doomed = new TestFrame("doomed", journal_, 0, 0, 500, 500);
  ASSERT_EQ(manager_.PushFrame(doomed, true, true, false), QL_OK);
  ASSERT_EQ(manager_.OnMouseMove({10, 10}), QL_OK);
  ASSERT_EQ(manager_.RemoveFrame(doomed, false, true), QL_OK);
  delete doomed;

  EXPECT_EQ(manager_.GetStack().size(), 2u);
  EXPECT_EQ(manager_.GetActiveFrame(), nullptr);
  EXPECT_EQ(manager_.GetHoverFrame(), nullptr);
  EXPECT_EQ(manager_.Update(0.0f), QL_OK) << "its queued removal went with it";
  ASSERT_EQ(manager_.OnMouseDown({50, 50}, 1), QL_OK);
}

TEST_F(FrameManagerTest, RemoveAllHidesAndCanDeleteEveryFrame) {
  bool deleted = false;
  auto* owned = new TestFrame("owned", journal_, 0, 0, 10, 10);
  owned->deleted = &deleted;
  FrameManager other;
  ASSERT_EQ(other.PushFrame(owned, false, true, false), QL_OK);
  journal_.clear();
  ASSERT_EQ(other.RemoveAll(true, true), QL_OK);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(journal_, (Journal{"owned hide"}));
  EXPECT_EQ(other.GetActiveFrame(), nullptr);
}

TEST(FrameManagerUpdateTest, ObjectsQueuedForDeletionGoAtTheEndOfTheUpdate) {
  Journal journal;
  bool deleted = false;
  FrameManager manager;
  auto* frame = new TestFrame("queued", journal);
  frame->deleted = &deleted;
  manager.QueueDelete(frame);
  EXPECT_FALSE(deleted);
  ASSERT_EQ(manager.Update(0.0f), QL_OK);
  EXPECT_TRUE(deleted);
}

TEST(FrameManagerUpdateTest, AnOwnedCursorWidgetFollowsTheMouseAndGoesWithTheManager) {
  Journal journal;
  auto* cursor = new TestWidget("cursor", journal);
  {
    FrameManager manager;
    manager.SetCursorWidget(cursor, true);
    ASSERT_EQ(manager.OnMouseMove({40, 30}), QL_OK);
    EXPECT_FLOAT_EQ(cursor->GetLayer()->GetPosition().x, 40.0f);
    EXPECT_FLOAT_EQ(cursor->GetLayer()->GetPosition().y, 30.0f);
    ASSERT_EQ(manager.Update(0.0f), QL_OK);
    EXPECT_EQ(journal, Journal{"cursor update"});
    EXPECT_EQ(manager.Draw(nullptr), QL_OK);
  }
}

}  // namespace
