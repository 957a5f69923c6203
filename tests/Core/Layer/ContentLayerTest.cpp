#include <gtest/gtest.h>

#include <memory>

#include "Core/Layer/ImageLayer.h"
#include "Core/Layer/ParticlesLayer.h"
#include "Core/Layer/TextLayer.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "tests/Core/Render/FakeDevice.h"

namespace {

// Measures every text as one box of a fixed size, and notes the font the
// Graphics had while drawing.
class BoxFont : public render::Font {
 public:
  QLResultEnum Release() override { return QL_OK; }
  QLResultEnum DrawText(render::Graphics* g, render::DrawTextParam* param, const base::WString&,
                        const render::TextFormat& format, float outSize[2]) override {
    outSize[0] = param->measuredWidth = width;
    outSize[1] = param->measuredHeight = height;
    if (g) {
      ++draws;
      fontWhileDrawing = g->GetFont();
      blendWhileDrawing = g->GetState().blendMode;
      boxWidthDrawn = format.boxWidth;
    }
    return QL_OK;
  }
  bool HasGlyph(char16_t) const override { return true; }

  float width = 20.6f;
  float height = 10.0f;
  int draws = 0;
  render::Font* fontWhileDrawing = nullptr;
  std::uint32_t blendWhileDrawing = 0;
  float boxWidthDrawn = 0.0f;

 protected:
  QLResultEnum DoLoad() override { return QL_OK; }
  QLResultEnum DoUnload() override { return QL_OK; }
};

// An image of a size whose texture exists only as that size.
render::Image* SizedImage(int width, int height) {
  auto texture = std::make_unique<render::TextureDX9>(nullptr);
  texture->CreateRenderTarget(width, height);
  return new render::Image(std::move(texture));
}

class ContentLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(render.InitScreen(), QL_OK);
    graphics = std::make_unique<render::Graphics>(render);
    ASSERT_EQ(render.BeginScene(), QL_OK);
  }
  void TearDown() override {
    graphics.reset();
    render.EndScene();
  }

  render_testing::FakeRender render;
  std::unique_ptr<render::Graphics> graphics;
  BoxFont font;
  resource::ResourceHandle<render::Font> fontHandle{&font};
};

TEST_F(ContentLayerTest, ImageBoundsFollowTheAnchors) {
  struct Case {
    std::int32_t anchorX, anchorY;
    float minX, maxX, minY, maxY;
  };
  const Case cases[] = {
      {render::kAnchorLeft, render::kAnchorTop, 0, 64, 0, 32},
      {render::kAnchorRight, render::kAnchorBottom, -64, 0, -32, 0},
      {render::kAnchorCenter, render::kAnchorMiddle, -32, 32, -16, 16},
  };
  for (const Case& c : cases) {
    layer::ImageLayer layer;
    layer.SetImage(SizedImage(64, 32), true);
    layer.SetAnchor(c.anchorX, c.anchorY);
    layer.UpdateLocalBounds();
    const math::AABB& bounds = layer.GetLocalBounds();
    EXPECT_EQ(bounds.min.x, c.minX);
    EXPECT_EQ(bounds.max.x, c.maxX);
    EXPECT_EQ(bounds.min.y, c.minY);
    EXPECT_EQ(bounds.max.y, c.maxY);
  }
}

TEST_F(ContentLayerTest, CentredImageTestsThePixelUnderThePointOnce) {
  layer::ImageLayer layer;
  layer.SetImage(SizedImage(64, 32), true);
  layer.SetAnchor(render::kAnchorCenter, render::kAnchorMiddle);
  int x = -1;
  int y = -1;
  ASSERT_TRUE(layer.PixelAt({0.0f, 0.0f, 0.0f}, x, y));
  EXPECT_EQ(x, 32);
  EXPECT_EQ(y, 16);
  // Just short of the left edge, the half pixel still lands inside.
  ASSERT_TRUE(layer.PixelAt({-32.4f, -16.4f, 0.0f}, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(layer.PixelAt({-32.6f, 0.0f, 0.0f}, x, y));
  EXPECT_FALSE(layer.PixelAt({1e30f, 0.0f, 0.0f}, x, y));
}

TEST_F(ContentLayerTest, ReplacingAnImageDeletesOnlyAnOwnedOne) {
  std::unique_ptr<render::Image> borrowed(SizedImage(4, 4));
  layer::ImageLayer layer;
  layer.SetImage(borrowed.get(), false);
  layer.SetImage(SizedImage(8, 8), true);
  EXPECT_EQ(borrowed->GetWidth(), 4);
  // The owned one goes here; the sanitizer build sees a leak otherwise.
  layer.SetImage(borrowed.get(), false);
  EXPECT_EQ(layer.GetImage(), borrowed.get());
}

TEST_F(ContentLayerTest, DrawingLeavesTheGraphicsAsItFoundIt) {
  math::Transform outer;
  graphics->SetTransform(&outer);
  graphics->SetColorRGBA(0.1f, 0.2f, 0.3f, 0.4f);
  graphics->SetTint(0.25f);
  graphics->SetBlendMode(render::kBlendAlpha);
  ASSERT_EQ(graphics->GetFont(), nullptr);
  const std::int32_t mode = graphics->GetTexturedShaderMode();

  layer::ImageLayer image;
  image.SetImage(SizedImage(8, 8), true);
  image.SetAdditive(true);
  image.SetTinted(true);
  image.SetTintAmount(0.75f);
  layer::TextLayer text(fontHandle, u"Play", 120.0f, 0.0f, render::kAlignLeft, true);
  text.SetAdditive(true);
  layer::Layer root;
  root.AddChild(&image);
  root.AddChild(&text);
  ASSERT_EQ(root.Render(graphics.get()), QL_OK);

  EXPECT_EQ(font.draws, 1);
  EXPECT_EQ(font.fontWhileDrawing, &font);
  EXPECT_EQ(font.blendWhileDrawing, render::kBlendAdditive);
  EXPECT_EQ(font.boxWidthDrawn, 120.0f);
  EXPECT_EQ(graphics->GetTransform(), &outer);
  const math::Point4& colour = graphics->GetColor();
  EXPECT_EQ(colour.r, 0.1f);
  EXPECT_EQ(colour.a, 0.4f);
  EXPECT_EQ(graphics->GetTint(), 0.25f);
  EXPECT_EQ(graphics->GetTexturedShaderMode(), mode);
  EXPECT_EQ(graphics->GetFont(), nullptr);
  EXPECT_EQ(graphics->GetState().blendMode, render::kBlendAlpha);
  root.RemoveChild(&image);
  root.RemoveChild(&text);
}

TEST_F(ContentLayerTest, EmptyTextHasEmptyBoundsAndDrawsNothing) {
  layer::TextLayer text(fontHandle, u"", 0.0f, 0.0f, render::kAlignLeft, true);
  text.UpdateLocalBounds();
  EXPECT_TRUE(layer::IsEmptyBox(text.GetLocalBounds()));
  EXPECT_EQ(text.Draw(graphics.get()), QL_OK);
  EXPECT_EQ(font.draws, 0);
}

TEST_F(ContentLayerTest, TextBoundsAreTheAnchoredBox) {
  layer::TextLayer text(fontHandle, u"Play", 0.0f, 0.0f, render::kAlignLeft, true);
  text.SetAnchor(render::kAnchorRight, render::kAnchorBottom);
  text.UpdateLocalBounds();
  const math::AABB& bounds = text.GetLocalBounds();
  EXPECT_FLOAT_EQ(bounds.min.x, -20.6f);
  EXPECT_FLOAT_EQ(bounds.max.x, 0.0f);
  EXPECT_FLOAT_EQ(bounds.min.y, -10.0f);
}

TEST_F(ContentLayerTest, SnapToPixelPutsTheTextBoxOnWholePixels) {
  layer::TextLayer text(fontHandle, u"Play", 0.0f, 0.0f, render::kAlignLeft, true);
  text.SetAnchor(render::kAnchorRight, render::kAnchorTop);
  text.SetPosition(10.3f, 5.0f, 0.0f);
  text.SnapToPixel();
  EXPECT_NEAR(text.GetPosition().x, 9.6f, 1e-5f);
  EXPECT_EQ(text.GetPosition().y, 5.0f);
  EXPECT_FLOAT_EQ(text.GetPosition().x - 20.6f, -11.0f);
}

TEST_F(ContentLayerTest, ParticlesNeverHitAndWithoutEmitterDrawNothing) {
  layer::ParticlesLayer particles;
  EXPECT_FALSE(particles.HitTestPoint({0.0f, 0.0f, 0.0f}));
  const std::uint32_t recorded = render.GetCommandBuffer().GetPosition();
  const render::RenderState state = graphics->GetState();
  EXPECT_EQ(particles.Draw(graphics.get()), QL_OK);
  EXPECT_EQ(render.GetCommandBuffer().GetPosition(), recorded);
  EXPECT_EQ(graphics->GetState().blendMode, state.blendMode);
}

}  // namespace
