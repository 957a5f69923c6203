#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "Core/Layer/HitTestListener.h"
#include "Core/Layer/Layer.h"
#include "Core/Layer/RectHitLayer.h"

namespace {

using layer::HitTestState;
using layer::Layer;
using layer::RectHitLayer;

struct Call {
  std::string listener;
  std::string event;
  Layer* hitLayer;
  Layer* dispatchingLayer;
  math::Point3 point;
  bool childHandled;
};

// Writes every call into a shared journal and leaves the state it is told to.
class RecordingListener : public layer::HitTestListener {
 public:
  RecordingListener(std::string name, std::vector<Call>& calls) : name_(std::move(name)), calls_(calls) {}

  QLResultEnum OnMouseDown(const math::Point3&, int button) override {
    return Record("down " + std::to_string(button));
  }
  QLResultEnum OnMouseDoubleClick(const math::Point3&, int) override { return Record("double click"); }
  QLResultEnum OnMouseUp(const math::Point3&, int) override { return Record("up"); }
  QLResultEnum OnMouseMove(const math::Point3&) override { return Record("move"); }
  QLResultEnum OnMouseDrag(const math::Point3&) override { return Record("drag"); }
  QLResultEnum OnMouseWheel(const math::Point3&, std::int16_t delta) override {
    return Record("wheel " + std::to_string(delta));
  }
  QLResultEnum OnChildMouseDown(const math::Point3&, int) override { return Record("child down"); }

  // Runs inside each handler call, before it is recorded.
  std::function<void()> during;
  // What the next handler call leaves, unless left alone.
  bool setsState = false;
  HitTestState state = layer::HIT_TEST_HANDLED;
  QLResultEnum result = QL_OK;

 private:
  QLResultEnum Record(const std::string& event) {
    if (during) during();
    calls_.push_back({name_, event, GetHitLayer(), GetDispatchingLayer(), GetPoint(), IsChildHandled()});
    if (setsState) SetState(state);
    return result;
  }

  std::string name_;
  std::vector<Call>& calls_;
};

// A rectangle layer with its own recording listener.
struct Box {
  Box(const std::string& name, std::vector<Call>& calls, float x, float y, float width, float height)
      : listener(name, calls) {
    layer.SetRect(0.0f, 0.0f, width, height);
    layer.SetPosition(x, y, 0.0f);
    layer.SetListener(&listener);
  }
  RectHitLayer layer;
  RecordingListener listener;
};

std::vector<std::string> Names(const std::vector<Call>& calls) {
  std::vector<std::string> names;
  for (const Call& call : calls) names.push_back(call.listener + " " + call.event);
  return names;
}

class HitTestTest : public testing::Test {
 protected:
  bool Down(float x, float y) {
    bool handled = false;
    EXPECT_EQ(root_.HitTestDownFrom(x, y, 1, handled), QL_OK);
    return handled;
  }

  std::vector<Call> calls_;
  Layer root_;
};

struct SiblingCase {
  const char* name;
  float x;
  // What the upper box's handler leaves.
  bool upperGoesOn;
  std::vector<std::string> expected;
  bool handled;
};

class OverlappingSiblingsTest : public testing::TestWithParam<SiblingCase> {};

TEST_P(OverlappingSiblingsTest, TheTopmostIsAskedFirst) {
  const SiblingCase& c = GetParam();
  std::vector<Call> calls;
  Layer root;
  Box lower("lower", calls, 0, 0, 100, 100), upper("upper", calls, 50, 0, 100, 100);
  root.AddChild(&lower.layer);
  root.AddChild(&upper.layer);
  upper.listener.setsState = c.upperGoesOn;
  upper.listener.state = layer::HIT_TEST_GO_ON;

  bool handled = false;
  EXPECT_EQ(root.HitTestDownFrom(c.x, 50, 1, handled), QL_OK);
  EXPECT_EQ(Names(calls), c.expected);
  EXPECT_EQ(handled, c.handled);
}

INSTANTIATE_TEST_SUITE_P(Walk, OverlappingSiblingsTest,
                         testing::Values(SiblingCase{"Overlap", 75, false, {"upper down 1"}, true},
                                         SiblingCase{"UpperGoesOn", 75, true, {"upper down 1", "lower down 1"}, true},
                                         SiblingCase{"UpperGoesOnOverNothing", 120, true, {"upper down 1"}, false},
                                         SiblingCase{"OnlyLower", 20, false, {"lower down 1"}, true},
                                         // Edges are half-open: the left one belongs to the layer,
                                         // the right one does not.
                                         SiblingCase{"LeftEdge", 0, false, {"lower down 1"}, true},
                                         SiblingCase{"RightEdge", 150, false, {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RemovalCase {
  const char* name;
  // Which of the three stacked boxes the top one's handler takes out.
  int removed;
  std::vector<std::string> expected;
};

class HandlerRemovesALayerTest : public testing::TestWithParam<RemovalCase> {};

// The top and middle boxes go on; the bottom one takes the event.
TEST_P(HandlerRemovesALayerTest, TheWalkGoesOnWithWhatIsLeftBelow) {
  std::vector<Call> calls;
  Layer root;
  Box bottom("bottom", calls, 0, 0, 100, 100), middle("middle", calls, 0, 0, 100, 100),
      top("top", calls, 0, 0, 100, 100);
  Box* boxes[] = {&bottom, &middle, &top};
  for (Box* box : boxes) root.AddChild(&box->layer);
  for (Box* box : {&middle, &top}) {
    box->listener.setsState = true;
    box->listener.state = layer::HIT_TEST_GO_ON;
  }
  Layer& removed = boxes[GetParam().removed]->layer;
  top.listener.during = [&root, &removed] { root.RemoveChild(&removed); };

  bool handled = false;
  EXPECT_EQ(root.HitTestDownFrom(50, 50, 1, handled), QL_OK);
  EXPECT_EQ(Names(calls), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Walk, HandlerRemovesALayerTest,
    testing::Values(RemovalCase{"Itself", 2, {"top down 1", "middle down 1", "bottom down 1"}},
                    RemovalCase{"TheNextBelow", 1, {"top down 1", "bottom down 1"}},
                    RemovalCase{"TheLowest", 0, {"top down 1", "middle down 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HitTestTest, ALayerWithoutListenerIsDispatchedToItsNearestAncestorWithOne) {
  Box parent("parent", calls_, 100, 100, 200, 200);
  RectHitLayer child;
  child.SetRect(0, 0, 10, 10);
  child.SetPosition(20, 30, 0);
  root_.AddChild(&parent.layer);
  parent.layer.AddChild(&child);

  EXPECT_TRUE(Down(125, 136));
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].listener, "parent");
  EXPECT_EQ(calls_[0].dispatchingLayer, &parent.layer);
  EXPECT_EQ(calls_[0].hitLayer, &child);
  EXPECT_NEAR(calls_[0].point.x, 25, 1e-4);
  EXPECT_NEAR(calls_[0].point.y, 36, 1e-4);
}

TEST_F(HitTestTest, PassingToTheOwnLayerUnwindsToItsOwnTest) {
  Box parent("parent", calls_, 0, 0, 200, 200);
  RectHitLayer first, second;
  for (RectHitLayer* child : {&first, &second}) {
    child->SetRect(0, 0, 10, 10);
    parent.layer.AddChild(child);
  }
  root_.AddChild(&parent.layer);
  parent.listener.setsState = true;
  parent.listener.state = layer::HIT_TEST_PASS_TO_LAYER;

  // The topmost child's hit goes to the parent, which passes to itself: the
  // other child is skipped and the parent is tested, and passes again.
  EXPECT_FALSE(Down(5, 5));
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].hitLayer, &second);
  EXPECT_EQ(calls_[1].hitLayer, &parent.layer);

  calls_.clear();
  parent.listener.state = layer::HIT_TEST_GO_ON;
  EXPECT_FALSE(Down(5, 5)) << "going on tests every child, then the parent";
  EXPECT_EQ(calls_.size(), 3u);
}

TEST_F(HitTestTest, InvisibleAndUntestableSubtreesAreSkipped) {
  Box hidden("hidden", calls_, 0, 0, 100, 100), untestable("untestable", calls_, 0, 0, 100, 100);
  Box below("below", calls_, 0, 0, 100, 100);
  root_.AddChild(&below.layer);
  root_.AddChild(&untestable.layer);
  root_.AddChild(&hidden.layer);
  hidden.layer.SetVisible(false);
  untestable.layer.SetHitTestable(false);

  EXPECT_TRUE(Down(10, 10));
  EXPECT_EQ(Names(calls_), std::vector<std::string>{"below down 1"});
}

TEST_F(HitTestTest, AMovedLayerIsHitWhereItNowIs) {
  Box box("box", calls_, 0, 0, 10, 10);
  root_.AddChild(&box.layer);
  EXPECT_TRUE(Down(5, 5));
  box.layer.SetPosition(100, 100, 0);
  EXPECT_FALSE(Down(5, 5));
  EXPECT_TRUE(Down(105, 105));
}

TEST_F(HitTestTest, ARotatedLayerIsHitInItsOwnSpace) {
  Box box("box", calls_, 100, 100, 40, 10);
  box.layer.SetRotation(0, 0, std::numbers::pi_v<float> / 2);
  root_.AddChild(&box.layer);
  // Turned a quarter, the 40-wide box runs down from (100, 100).
  EXPECT_FALSE(Down(130, 105));
  EXPECT_TRUE(Down(95, 130));
  EXPECT_NEAR(calls_.back().point.x, 30, 1e-3);
  EXPECT_NEAR(calls_.back().point.y, 5, 1e-3);
}

TEST_F(HitTestTest, AMirroredLayerIsHit) {
  Box box("box", calls_, 100, 0, 20, 10);
  box.layer.SetScale(-1, 1, 1);
  root_.AddChild(&box.layer);
  EXPECT_TRUE(Down(90, 5));
  EXPECT_NEAR(calls_.back().point.x, 10, 1e-4);
  EXPECT_FALSE(Down(110, 5));
}

TEST_F(HitTestTest, ALayerTurnedOutOfThePlaneIsTestedAtItsOrigin) {
  Box tilted("tilted", calls_, 0, 0, 100, 100), child("child", calls_, 0, 0, 100, 100);
  tilted.layer.SetRotation(0.5f, 0, 0);
  tilted.layer.AddChild(&child.layer);
  root_.AddChild(&tilted.layer);

  EXPECT_TRUE(Down(50, 20));
  ASSERT_EQ(calls_.size(), 1u) << "its children are not walked";
  EXPECT_EQ(calls_[0].listener, "tilted");
  EXPECT_EQ(calls_[0].point, math::Point3{});
}

TEST_F(HitTestTest, EachKindReachesItsHandler) {
  Box box("box", calls_, 0, 0, 10, 10);
  root_.AddChild(&box.layer);
  bool handled = false;
  root_.HitTestUpFrom(1, 1, 3, handled);
  root_.HitTestMoveFrom(1, 1, handled);
  root_.HitTestDragFrom(1, 1, handled);
  root_.HitTestWheelFrom(1, 1, -120, handled);
  EXPECT_EQ(Names(calls_), (std::vector<std::string>{"box up", "box move", "box drag", "box wheel -120"}));
}

TEST_F(HitTestTest, AFailingHandlerEndsTheWalkWithItsResult) {
  Box lower("lower", calls_, 0, 0, 10, 10), upper("upper", calls_, 0, 0, 10, 10);
  root_.AddChild(&lower.layer);
  root_.AddChild(&upper.layer);
  upper.listener.setsState = true;
  upper.listener.state = layer::HIT_TEST_GO_ON;
  upper.listener.result = static_cast<QLResultEnum>(5);
  bool handled = true;
  EXPECT_EQ(root_.HitTestDownFrom(1, 1, 1, handled), 5);
  EXPECT_EQ(Names(calls_), std::vector<std::string>{"upper down 1"});
}

TEST_F(HitTestTest, AnAncestorThatAsksForPassedUpEventsHearsThemAfterTheHit) {
  Box parent("parent", calls_, 0, 0, 100, 100), child("child", calls_, 0, 0, 10, 10);
  parent.layer.AddChild(&child.layer);
  root_.AddChild(&parent.layer);
  parent.listener.SetPassUpFlags(layer::PASS_UP_DOWN);

  EXPECT_TRUE(Down(5, 5));
  ASSERT_EQ(Names(calls_), (std::vector<std::string>{"child down 1", "parent child down"}));
  EXPECT_TRUE(calls_[1].childHandled);
  EXPECT_EQ(calls_[1].hitLayer, &child.layer);
}

}  // namespace
