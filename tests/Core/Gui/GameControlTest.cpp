#include <gtest/gtest.h>

#include "Core/Gui/GameControl.h"
#include "Core/Layer/TextLayer.h"
#include "Core/Widget/TrapHitTestListener.h"
#include "tests/Support/DataRoot.h"

namespace {

// A control of two states whose images come straight from the test.
class TwoStateControl : public gui::GameControl {
 public:
  TwoStateControl() { SetStateImages(images, 2); }
  using GameControl::PutStateImage;

  layer::Layer* images[2] = {nullptr, nullptr};
};

TEST(GameControlTest, BoundsGrowToHoldEveryStateImageAndCentreTheControl) {
  TwoStateControl control;
  auto* first = new layer::Layer;
  first->SetPosition(10.7f, 20.2f, 0.0f);
  ASSERT_EQ(control.PutStateImage(0, first, {10.7f, 20.2f, 30.9f, 40.5f}), QL_OK);
  EXPECT_EQ(control.GetBounds().x, 10);
  EXPECT_EQ(control.GetBounds().y, 20);
  EXPECT_EQ(control.GetBounds().width, 30);
  EXPECT_EQ(control.GetBounds().height, 40);
  ASSERT_EQ(control.PutStateImage(1, new layer::Layer, {0.0f, 0.0f, 20.0f, 20.0f}), QL_OK);
  EXPECT_EQ(control.GetBounds().x, 0);
  EXPECT_EQ(control.GetBounds().y, 0);
  EXPECT_EQ(control.GetBounds().width, 40);
  EXPECT_EQ(control.GetBounds().height, 60);

  ASSERT_EQ(control.AttachImagesCentered(), QL_OK);
  EXPECT_EQ(control.GetPosition().x, 20.0f);
  EXPECT_EQ(control.GetPosition().y, 30.0f);
  EXPECT_EQ(first->GetParent(), &control);
  EXPECT_FLOAT_EQ(first->GetPosition().x, -9.3f);
  EXPECT_EQ(control.GetChildren().size(), 2u);
}

TEST(GameControlTest, AStateOutsideTheArrayIsRefused) {
  TwoStateControl control;
  // The refused layer is the control's to delete: the sanitizer build sees
  // a leak otherwise.
  EXPECT_EQ(control.PutStateImage(2, new layer::Layer, {}), QL_FAIL);
  EXPECT_EQ(control.SetStateImage(-1, u"normal", nullptr), QL_FAIL);
  EXPECT_FALSE(control.HasBounds());
}

TEST(GameControlTest, AnEmptyNameChangesNothing) {
  TwoStateControl control;
  EXPECT_EQ(control.SetStateImage(0, u"", nullptr), QL_OK);
  EXPECT_EQ(control.images[0], nullptr);
  EXPECT_FALSE(control.HasBounds());
}

TEST(GameControlTest, ReplacingAStateImageDeletesTheOldOne) {
  TwoStateControl control;
  layer::Layer parent;
  auto* old = new layer::Layer;
  parent.AddChild(old);
  ASSERT_EQ(control.PutStateImage(0, old, {0, 0, 1, 1}), QL_OK);
  ASSERT_EQ(control.PutStateImage(0, new layer::Layer, {0, 0, 1, 1}), QL_OK);
  EXPECT_TRUE(parent.GetChildren().empty());
}

TEST(GameControlTest, LoadingWithoutAFolderFailsAndMakesNothing) {
  gui::GameControlHelper helper;
  layer::ImageLayer* made = nullptr;
  math::Rect rect{1, 2, 3, 4};
  EXPECT_NE(helper.LoadImageLayer(u"button", rect, made), QL_OK);
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(rect.x, 1.0f);
}

TEST(GameControlTest, AFolderThatCannotBeOpenedFailsTheHelper) {
  testing_support::DataRoot root;
  gui::GameControlHelper helper;
  EXPECT_EQ(helper.Init(nullptr, u"missing_layout", nullptr, nullptr, nullptr), QL_FAIL);
  EXPECT_EQ(helper.GetFolder(), nullptr);
}

TEST(GameControlTest, TextLayersGoUnderTheParentWithTheirMouseModeAndGoWithTheHelper) {
  layer::Layer parent;
  {
    gui::GameControlHelper helper;
    layer::TextLayer* ignoring = nullptr;
    layer::TextLayer* trapping = nullptr;
    ASSERT_EQ(helper.CreateTextLayer({}, u"Play", gui::kLayerMouseIgnored, &parent, &ignoring), QL_OK);
    ASSERT_EQ(helper.CreateTextLayer({}, u"Quit", gui::kLayerMouseTrapped, &parent, &trapping), QL_OK);
    ASSERT_EQ(parent.GetChildren().size(), 2u);
    EXPECT_EQ(parent.GetChildren().front(), ignoring);
    EXPECT_EQ(ignoring->GetText(), u"Play");
    EXPECT_FALSE(ignoring->IsHitTestable());
    EXPECT_EQ(trapping->GetListener(), helper.GetTrapListener());
    EXPECT_EQ(trapping->GetFormat().alignment, render::kAlignCenter);
    EXPECT_EQ(helper.CreateTextLayer({}, u"Back", gui::kLayerMouseDefault, &parent, nullptr), QL_OK);
  }
  EXPECT_TRUE(parent.GetChildren().empty());
}

}  // namespace
