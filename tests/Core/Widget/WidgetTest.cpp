#include <gtest/gtest.h>

#include "Core/Widget/Frame.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/TrapHitTestListener.h"
#include "Core/Widget/Widget.h"
#include "tests/Core/Widget/WidgetFixtures.h"

namespace {

using widget_testing::Journal;
using widget_testing::LogRecorder;
using widget_testing::TestFrame;
using widget_testing::TestWidget;

// A frame on the manager's stack with a panel holding two buttons.
class WidgetTest : public testing::Test {
 protected:
  WidgetTest() {
    frame_.AddChild(&panel_);
    panel_.AddChild(&left_);
    panel_.AddChild(&right_);
    manager_.PushFrame(&frame_, false, true, false);
    journal_.clear();
  }

  void Move(float x, float y) { ASSERT_EQ(manager_.OnMouseMove({x, y}), QL_OK); }

  Journal journal_;
  widget::FrameManager manager_;
  TestFrame frame_{"frame", journal_, 0, 0, 200, 200};
  TestWidget panel_{"panel", journal_, 10, 10, 100, 50};
  TestWidget left_{"left", journal_, 0, 0, 20, 20};
  TestWidget right_{"right", journal_, 30, 0, 20, 20};
};

TEST_F(WidgetTest, DisablingAParentTellsEachDescendantOnce) {
  TestWidget nested("nested", journal_);
  left_.AddChild(&nested);
  journal_.clear();

  panel_.SetDisabled(true);
  EXPECT_EQ(journal_, (Journal{"left disabled on", "nested disabled on", "right disabled on"}));
  EXPECT_TRUE(nested.IsDisabled());
  EXPECT_TRUE(nested.IsDisabledByParent());

  // Already disabled through the panel: the left button's own flag changes
  // nothing below it.
  journal_.clear();
  left_.SetDisabled(true);
  EXPECT_TRUE(journal_.empty());

  panel_.SetDisabled(false);
  EXPECT_EQ(journal_, (Journal{"left disabled off", "right disabled off"}));
  EXPECT_TRUE(nested.IsDisabledByParent()) << "the left button is still disabled itself";
  left_.SetDisabled(false);
  EXPECT_FALSE(nested.IsDisabled());
}

TEST_F(WidgetTest, AChildAddedToADisabledParentIsDisabledAtOnce) {
  panel_.SetDisabled(true);
  journal_.clear();
  TestWidget late("late", journal_);
  EXPECT_EQ(panel_.AddChild(&late), QL_OK);
  EXPECT_EQ(journal_, (Journal{"late attach", "late show", "late disabled on"}));
  EXPECT_TRUE(late.IsDisabledByParent());

  journal_.clear();
  EXPECT_EQ(panel_.RemoveChild(&late), QL_OK);
  EXPECT_EQ(journal_, (Journal{"late disabled off", "late hide", "late detach"}));
  EXPECT_EQ(late.GetFrame(), nullptr);
  EXPECT_EQ(late.GetLayer()->GetParent(), nullptr);
}

TEST_F(WidgetTest, RemovingAWidgetThatIsNotAChildChangesNothingAndIsLogged) {
  LogRecorder& log = LogRecorder::Get();
  log.writes.clear();
  panel_.SetDisabled(true);
  journal_.clear();

  EXPECT_EQ(frame_.RemoveChild(&left_), QL_FAIL);
  EXPECT_TRUE(journal_.empty());
  EXPECT_EQ(left_.GetParent(), &panel_);
  EXPECT_EQ(left_.GetFrame(), &frame_);
  EXPECT_TRUE(left_.IsDisabledByParent());
  EXPECT_TRUE(log.Saw(u"not a child"));
}

TEST_F(WidgetTest, AChildWithoutALayerIsRefused) {
  widget::Widget bare;
  EXPECT_EQ(panel_.AddChild(&bare), QL_FAIL);
  EXPECT_EQ(bare.GetParent(), nullptr);
  EXPECT_EQ(panel_.GetWidgets().size(), 2u);
}

TEST_F(WidgetTest, TheHoverMovesBetweenSiblingsWithoutTouchingTheirParent) {
  Move(15, 15);
  EXPECT_EQ(journal_, (Journal{"left hover on", "panel path on", "frame path on"}));
  EXPECT_TRUE(panel_.IsOnHoverPath());

  journal_.clear();
  Move(45, 15);
  EXPECT_EQ(journal_, (Journal{"left hover off", "right hover on"}));
  EXPECT_EQ(frame_.GetHoverWidget(), &right_);

  // The frame's own area takes the move and hovers the frame itself.
  journal_.clear();
  Move(150, 150);
  EXPECT_EQ(journal_, (Journal{"right hover off", "panel path off", "frame path off", "frame hover on"}));
}

TEST_F(WidgetTest, TheHoverLeavesOneFrameBeforeEnteringAnother) {
  TestFrame other("other", journal_, 300, 0, 100, 100);
  TestWidget target("target", journal_, 10, 10, 20, 20);
  other.AddChild(&target);
  manager_.PushFrame(&other, false, false, false);
  Move(15, 15);
  journal_.clear();

  Move(315, 15);
  EXPECT_EQ(journal_,
            (Journal{"left hover off", "panel path off", "frame path off", "target hover on", "other path on"}));
  EXPECT_EQ(frame_.GetHoverWidget(), nullptr);
  EXPECT_EQ(manager_.GetHoverFrame(), &other);
}

TEST_F(WidgetTest, ADeletedWidgetLeavesNothingPointingAtIt) {
  auto* doomed = new TestWidget("doomed", journal_, 60, 0, 20, 20);
  TestWidget child("child", journal_, 100, 100);
  panel_.AddChild(doomed);
  doomed->AddChild(&child);
  doomed->SetCapturesOnPress(true);
  Move(75, 15);
  ASSERT_EQ(manager_.OnMouseDown({75, 15}, 1), QL_OK);
  frame_.SetFocusWidget(doomed);
  ASSERT_EQ(manager_.GetCapture().widget, doomed);
  journal_.clear();

  delete doomed;
  EXPECT_EQ(frame_.GetHoverWidget(), nullptr);
  EXPECT_EQ(frame_.GetFocusWidget(), nullptr);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_EQ(panel_.GetWidgets().size(), 2u);
  EXPECT_EQ(child.GetParent(), nullptr);
  EXPECT_EQ(child.GetFrame(), nullptr);
  EXPECT_FALSE(panel_.IsOnHoverPath());
  EXPECT_EQ(journal_, (Journal{"panel path off", "frame path off"})) << "the widget going hears nothing";

  // The mouse goes on working over what is left.
  Move(75, 15);
  EXPECT_EQ(manager_.OnMouseDown({15, 15}, 1), QL_OK);
  EXPECT_EQ(frame_.GetHoverWidget(), &panel_);
}

TEST_F(WidgetTest, RemoveAllWithoutFlagsOnlyEmptiesTheList) {
  journal_.clear();
  EXPECT_EQ(panel_.RemoveAll(false, false), QL_OK);
  EXPECT_TRUE(panel_.GetWidgets().empty());
  EXPECT_TRUE(journal_.empty());
}

TEST_F(WidgetTest, RemoveAllCanDeleteTheWholeSubtree) {
  auto* box = new TestWidget("box", journal_);
  auto* inner = new TestWidget("inner", journal_);
  bool innerDeleted = false;
  struct Watch : TestWidget {
    using TestWidget::TestWidget;
    ~Watch() override { *flag = true; }
    bool* flag = nullptr;
  };
  auto* watched = new Watch("watched", journal_);
  watched->flag = &innerDeleted;
  box->AddChild(inner);
  inner->AddChild(watched);
  EXPECT_EQ(box->RemoveAll(true, true), QL_OK);
  EXPECT_TRUE(innerDeleted);
  delete box;
}

TEST_F(WidgetTest, WhatRemoveAllCouldNotTakeStaysInOrderAndCanBeRemovedLater) {
  struct Stubborn : TestWidget {
    using TestWidget::TestWidget;
    QLResultEnum RemoveAll(bool, bool) override { return QL_FAIL; }
  };
  TestWidget box("box", journal_);
  Stubborn second("second", journal_);
  TestWidget third("third", journal_), fourth("fourth", journal_);
  box.AddChild(new TestWidget("first", journal_));
  for (widget::Widget* child : {static_cast<widget::Widget*>(&second), static_cast<widget::Widget*>(&third),
                                static_cast<widget::Widget*>(&fourth)})
    box.AddChild(child);

  EXPECT_EQ(box.RemoveAll(true, true), QL_FAIL);
  EXPECT_EQ(box.GetWidgets(), (widget::Widget::Widgets{&second, &third, &fourth}));
  EXPECT_EQ(box.RemoveChild(&third), QL_OK);
  EXPECT_EQ(box.GetWidgets(), (widget::Widget::Widgets{&second, &fourth}));
  EXPECT_TRUE(box.Contains(&fourth));
  EXPECT_FALSE(box.Contains(&third));
  EXPECT_EQ(third.GetParent(), nullptr);
}

TEST_F(WidgetTest, ATrapTakesTheClickAndOnlyActivatesItsFrame) {
  TestFrame other("other", journal_, 300, 0, 100, 100);
  manager_.PushFrame(&other, false, true, false);
  Move(15, 15);
  layer::RectHitLayer trapLayer;
  trapLayer.SetRect(0, 0, 200, 200);
  widget::TrapHitTestListener trap(&frame_);
  trapLayer.SetListener(&trap);
  frame_.GetLayer()->AddChild(&trapLayer);
  journal_.clear();

  ASSERT_EQ(manager_.OnMouseDown({15, 15}, 1), QL_OK);
  EXPECT_EQ(journal_, (Journal{"other deactivate", "frame activate"})) << "the button below hears nothing";
  journal_.clear();
  Move(16, 16);
  EXPECT_EQ(journal_, (Journal{"left hover off", "panel path off", "frame path off"}));
  EXPECT_EQ(frame_.GetHoverWidget(), nullptr);
}

// A chain of classes deeper than any widget of the game.
struct Level1 : widget::Widget {
  static const widget::WidgetClassType& ClassType() {
    static const widget::WidgetClassType type(&widget::Widget::ClassType());
    return type;
  }
  const widget::WidgetClassType& GetClassType() const override { return ClassType(); }
};
template <class Parent>
struct Deeper : Parent {
  static const widget::WidgetClassType& ClassType() {
    static const widget::WidgetClassType type(&Parent::ClassType());
    return type;
  }
  const widget::WidgetClassType& GetClassType() const override { return ClassType(); }
};
using Level2 = Deeper<Level1>;
using Level3 = Deeper<Level2>;
using Level4 = Deeper<Level3>;
using Level5 = Deeper<Level4>;
using Level6 = Deeper<Level5>;
struct Sibling5 : Level4 {
  static const widget::WidgetClassType& ClassType() {
    static const widget::WidgetClassType type(&Level4::ClassType());
    return type;
  }
  const widget::WidgetClassType& GetClassType() const override { return ClassType(); }
};

TEST(WidgetClassTypeTest, TypeTestsHoldAtAnyDepth) {
  Level6 deep;
  Sibling5 sibling;
  const widget::Widget& asWidget = deep;
  EXPECT_EQ(Level6::ClassType().GetLevel(), 6);
  EXPECT_TRUE(asWidget.IsKindOf<Level6>());
  EXPECT_TRUE(asWidget.IsKindOf<Level5>());
  EXPECT_TRUE(asWidget.IsKindOf<Level1>());
  EXPECT_TRUE(asWidget.IsKindOf<widget::Widget>());
  EXPECT_FALSE(asWidget.IsKindOf<widget::Frame>());
  EXPECT_FALSE(asWidget.IsKindOf<Sibling5>());
  EXPECT_FALSE(sibling.IsKindOf<Level5>());
  EXPECT_TRUE(sibling.IsKindOf<Level4>());
  EXPECT_FALSE(static_cast<const widget::Widget&>(Level3()).IsKindOf<Level4>());
}

}  // namespace
