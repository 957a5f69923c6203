#include <gtest/gtest.h>

#include <cmath>

#include "Core/Gui/GameControlHelper.h"
#include "Core/Layer/Layer.h"
#include "Core/Layer/TextLayer.h"
#include "Core/Render/Graphics.h"
#include "tests/Core/Render/RenderDX9Fixture.h"

namespace {

class TextLayerScreenshotTest : public render_test::GameDataScreenFixture {
 protected:
  TextLayerScreenshotTest() : GameDataScreenFixture(320, 240) {}
};

// What the mouse finds is what the player sees: the centred text's pixels lie
// inside its hit box, which is centred on the layer's position.
TEST_F(TextLayerScreenshotTest, ACentredTextLightsOnlyPixelsInsideItsHitBox) {
  auto font = GameFont(u"main_32_1");
  ASSERT_TRUE(font);
  layer::Layer root;
  layer::TextLayer* text = nullptr;
  {
    gui::GameControlHelper helper;
    ASSERT_EQ(helper.CreateTextLayer(resource::ResourceHandle<render::Font>(font.Get()), u"HHHH",
                                     gui::kLayerMouseIgnored, &root, &text),
              QL_OK);
    ASSERT_NE(text, nullptr);
    text->SetPosition(160.4f, 120.6f, 0.0f);
    text->SnapToPixel();
    root.UpdateBounds();
    const math::AABB& bounds = text->GetLocalBounds();
    const math::Point3& position = text->GetPosition();
    const float hitLeft = position.x + bounds.min.x;
    const float hitTop = position.y + bounds.min.y;
    const float hitRight = position.x + bounds.max.x;
    const float hitBottom = position.y + bounds.max.y;
    EXPECT_NEAR((hitLeft + hitRight) * 0.5f, 160.4f, 1.0f);
    EXPECT_NEAR((hitTop + hitBottom) * 0.5f, 120.6f, 1.0f);

    const float black[4] = {0, 0, 0, 1};
    ASSERT_EQ(Frame(black,
                    [&] {
                      render::Graphics g(*render_);
                      EXPECT_EQ(root.Render(&g), QL_OK);
                    }),
              QL_OK);
    const render_test::PixelBox lit = LitBox(Picture());
    EXPECT_LT(lit.left, lit.right);
    EXPECT_GE(lit.left, std::floor(hitLeft));
    EXPECT_GE(lit.top, std::floor(hitTop));
    EXPECT_LE(lit.right, std::ceil(hitRight));
    EXPECT_LE(lit.bottom, std::ceil(hitBottom));
  }
  font.Release();
}

}  // namespace
