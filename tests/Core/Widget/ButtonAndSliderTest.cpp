#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Core/Base/DelegateBindings.h"
#include "Core/Layer/RectHitLayer.h"
#include "Core/Widget/Button.h"
#include "Core/Widget/ButtonMediator.h"
#include "Core/Widget/FrameManager.h"
#include "Core/Widget/Slider.h"
#include "tests/Core/Widget/WidgetFixtures.h"

namespace {

using widget_testing::Journal;
using widget_testing::TestFrame;

// Writes every state it is asked to show and every click.
class RecordingMediator : public widget::ButtonMediator {
 public:
  explicit RecordingMediator(Journal& journal) : journal_(journal) {}
  QLResultEnum ShowState(int state) override {
    journal_.push_back("state " + std::to_string(state));
    return QL_OK;
  }

 private:
  Journal& journal_;
};

class RecordingButtonListener : public widget::ButtonListener {
 public:
  explicit RecordingButtonListener(Journal& journal) : journal_(journal) {}
  QLResultEnum OnButtonClick(widget::Button*) override {
    journal_.push_back("listener click");
    return QL_OK;
  }

 private:
  Journal& journal_;
};

// A frame at (200, 0) holding a 30 x 30 button at (10, 20) inside it.
class ButtonTest : public testing::Test {
 protected:
  ButtonTest() {
    auto* rect = new layer::RectHitLayer;
    rect->SetRect(0, 0, 30, 30);
    rect->SetPosition(10, 20, 0);
    button_.SetLayer(rect, true, false);
    auto* mediator = new RecordingMediator(journal_);
    mediator->Attach(&button_, true);
    rect->SetListener(mediator);
    button_.SetButtonListener(&listener_);
    base::SharedRef<widget::Button::ClickDelegate> click;
    click.Reset(new base::MemberDelegate1<ButtonTest, widget::Button*, QLResultEnum>(this, &ButtonTest::OnClick));
    button_.SetClickDelegate(click);
    frame_.AddChild(&button_);
    manager_.PushFrame(&frame_, false, false, false);
    journal_.clear();
  }
  ~ButtonTest() override { frame_.RemoveChild(&button_); }

  QLResultEnum OnClick(widget::Button*) {
    journal_.push_back("delegate click");
    return clickResult_;
  }

  Journal journal_;
  widget::FrameManager manager_;
  TestFrame frame_{"frame", journal_, 200, 0, 100, 100};
  widget::Button button_;
  RecordingButtonListener listener_{journal_};
  QLResultEnum clickResult_ = QL_OK;
};

TEST_F(ButtonTest, PressAndReleaseInsideClicksOnce) {
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonPressed);
  ASSERT_EQ(manager_.OnMouseUp({216, 26}, 1), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonHover);
  EXPECT_EQ(journal_, (Journal{"state 1", "frame path on", "frame activate", "state 2", "state 1", "delegate click",
                               "listener click"}));
}

TEST_F(ButtonTest, ReleaseOutsideDoesNotClick) {
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonPressed);
  ASSERT_EQ(manager_.OnMouseUp({290, 90}, 1), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonNormal);
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "delegate click"), 0);
  EXPECT_EQ(std::count(journal_.begin(), journal_.end(), "listener click"), 0);
}

// As when the window loses the focus while the button is held.
TEST_F(ButtonTest, ACancelledPressEndsTheCaptureWithoutAClick) {
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  journal_.clear();
  ASSERT_EQ(manager_.OnMouseCancel(), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_FALSE(button_.IsCaptured());
  EXPECT_EQ(journal_, (Journal{"state 1"}));
  ASSERT_EQ(manager_.OnMouseUp({215, 25}, 1), QL_OK);
  EXPECT_EQ(journal_, (Journal{"state 1"}));
}

TEST_F(ButtonTest, AFailingDelegateStopsTheClickBeforeTheListener) {
  clickResult_ = static_cast<QLResultEnum>(5);
  EXPECT_EQ(button_.Click(), 5);
  EXPECT_EQ(journal_, (Journal{"delegate click"}));
}

TEST_F(ButtonTest, ADisabledButtonActivatesItsFrameButNeitherCapturesNorShows) {
  ASSERT_EQ(button_.SetDisabled(true), QL_OK);
  ASSERT_EQ(manager_.OnMouseDown({215, 25}, 1), QL_OK);
  ASSERT_EQ(manager_.OnMouseUp({215, 25}, 1), QL_OK);
  EXPECT_EQ(manager_.GetCapture().widget, nullptr);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonNormal);
  EXPECT_EQ(journal_, (Journal{"frame activate"}));
}

TEST_F(ButtonTest, DisablingTheParentForcesTheNormalState) {
  ASSERT_EQ(manager_.OnMouseMove({215, 25}), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonHover);
  ASSERT_EQ(frame_.SetDisabled(true), QL_OK);
  EXPECT_EQ(button_.GetVisualState(), widget::kButtonNormal);
}

// Records what its listener part hears.
class RecordingSlider : public widget::Slider {
 public:
  QLResultEnum OnSliderChanged(widget::Slider*, float value) override {
    heard = value;
    return QL_OK;
  }
  float heard = 0.0f;
};

TEST(SliderTest, ACommittedValueBeyondTheMaximumIsToldAndStoredUnclamped) {
  RecordingSlider slider;
  ASSERT_EQ(slider.CommitValue(1.5f, true), QL_OK);
  EXPECT_EQ(slider.heard, 1.5f);
  EXPECT_EQ(slider.GetValue(), 1.5f);
}

}  // namespace
