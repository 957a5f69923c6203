#include <gtest/gtest.h>

#include <string>

#include "Core/Widget/BaseBoard.h"
#include "Core/Widget/Dialog.h"
#include "Core/Widget/FrameManager.h"
#include "tests/Core/Widget/WidgetFixtures.h"

namespace {

using widget_testing::Journal;

class JournalBoard : public widget::BaseBoard, widget_testing::JournalWriter {
 public:
  JournalBoard(std::string name, Journal& journal) : JournalWriter(std::move(name), journal) {
    SetRect(0, 0, 100, 100);
  }

  QLResultEnum OnDrawBefore(render::Graphics*, layer::Layer*) override { return Note("before"); }
  QLResultEnum OnDrawAfter(render::Graphics*, layer::Layer*) override { return Note("after"); }
  QLResultEnum OnWidgetMouseDown(const math::Point3&, int) override { return Note("press"); }

};

class JournalDialog : public widget::Dialog {
 public:
  JournalDialog(Journal& journal, bool* deleted) : journal_(journal), deleted_(deleted) {}
  ~JournalDialog() override { *deleted_ = true; }

  QLResultEnum OnShown() override {
    journal_.push_back("shown");
    return QL_OK;
  }

 private:
  Journal& journal_;
  bool* deleted_;
};

TEST(BaseBoardTest, FramesAreDrawnBottomToTopThroughTheirOwnHooks) {
  Journal journal;
  widget::FrameManager manager;
  JournalBoard lower("lower", journal), upper("upper", journal);
  manager.PushFrame(&upper, true, false, false);
  manager.PushFrame(&lower, false, false, false);

  EXPECT_EQ(manager.Draw(nullptr), QL_OK);
  EXPECT_EQ(journal, (Journal{"lower before", "lower after", "upper before", "upper after"}));

  journal.clear();
  ASSERT_EQ(manager.OnMouseDown({10, 10}, 1), QL_OK);
  EXPECT_EQ(journal, (Journal{"upper press"})) << "a board takes the clicks on its area";
  EXPECT_EQ(manager.GetActiveFrame(), &upper);
}

TEST(BaseBoardTest, ABoardDeletedOnTheStackLeavesItsWidgetsDetached) {
  Journal journal;
  widget::FrameManager manager;
  auto* board = new JournalBoard("board", journal);
  widget_testing::TestWidget child("child", journal, 10, 10, 20, 20);
  board->AddChild(&child);
  ASSERT_EQ(manager.PushFrame(board, false, true, false), QL_OK);
  ASSERT_EQ(manager.OnMouseMove({15, 15}), QL_OK);
  ASSERT_EQ(board->GetHoverWidget(), &child);

  delete board;
  EXPECT_TRUE(manager.GetStack().empty());
  EXPECT_EQ(manager.GetActiveFrame(), nullptr);
  EXPECT_EQ(manager.GetHoverFrame(), nullptr);
  EXPECT_EQ(child.GetFrame(), nullptr);
  EXPECT_EQ(child.GetParent(), nullptr);
  EXPECT_EQ(child.GetLayer()->GetParent(), nullptr);
  EXPECT_EQ(manager.OnMouseMove({15, 15}), QL_OK);
}

TEST(DialogTest, ADialogWithoutEffectsIsShownAtOnceAndGoesWhenHidden) {
  for (const std::string name : {"", "options"}) {
    Journal journal;
    bool deleted = false;
    widget::FrameManager manager;
    auto* dialog = new JournalDialog(journal, &deleted);
    dialog->SetName(name);
    ASSERT_EQ(manager.PushModal(dialog, false), QL_OK);
    EXPECT_EQ(journal, Journal{"shown"}) << name;
    EXPECT_EQ(dialog->GetEffects(), nullptr);

    ASSERT_EQ(dialog->Hide(true), QL_OK);
    EXPECT_FALSE(deleted) << "the removal waits for the update";
    ASSERT_EQ(manager.Update(0.0f), QL_OK);
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(manager.GetStack().empty());
  }
}

}  // namespace
