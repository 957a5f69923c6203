#include "Core/Render/DX9/RenderDX9.h"

#include <gtest/gtest.h>

#include <memory>

#include "Core/App/Application.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Render/Shader.h"
#include "tests/Core/Render/RenderDX9Fixture.h"

namespace {

class TestApplication : public app::Application {};

using render_test::kHeight;
using render_test::kWidth;
using RenderDX9Test = render_test::RenderDX9Fixture;

constexpr float kOrange[4] = {1.0f, 0.5f, 0.0f, 1.0f};
constexpr float kBlack[4] = {0, 0, 0, 1};

TEST_F(RenderDX9Test, AFrameClearsThroughTheRecordedStream) {
  ASSERT_EQ(Start(), QL_OK);
  ASSERT_EQ(Frame(kOrange), QL_OK);
  EXPECT_EQ(Pixel(5, 5), 0xFFFF7F00u);
  EXPECT_TRUE(render_->IsScissorSupported());
}

TEST_F(RenderDX9Test, AnImageQuadCoversItsPixelsOnly) {
  ASSERT_EQ(Start(), QL_OK);
  std::unique_ptr<render::Texture> texture = WhiteTexture();

  resource::ResourceHandle<render::ShaderTextured> shader;
  ASSERT_EQ(render_->GetTexturedMultShader(&shader), QL_OK);
  render::RenderState state;
  state.blendMode = render::kBlendAlpha;
  ASSERT_EQ(Frame(kBlack, [&] { render_testing::DrawQuad(*render_, state, *shader.Get(), texture.get(), 0xFF00FF00u); }), QL_OK);
  EXPECT_EQ(Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(Pixel(0, 1), 0xFF000000u);
}

// The target's top-left texel is what texture coordinate (0, 0) samples, as
// with any texture: a red dot drawn there shows up in the quad on screen.
TEST_F(RenderDX9Test, WhatIsDrawnIntoATargetDrawsBackAsATexture) {
  ASSERT_EQ(Start(), QL_OK);
  std::unique_ptr<render::RenderTarget> target;
  ASSERT_EQ(render_->CreateRenderTarget(4, 4, &target, true), QL_OK);
  EXPECT_EQ(target->GetWidth(), 4);
  EXPECT_FALSE(target->HitTest(0, 0));
  std::unique_ptr<render::Texture> white = WhiteTexture();
  resource::ResourceHandle<render::ShaderTextured> shader;
  ASSERT_EQ(render_->GetTexturedMultShader(&shader), QL_OK);

  render::RenderState intoTarget;
  intoTarget.target = target->GetTargetRecord();
  render::RenderState onScreen;
  ASSERT_EQ(Frame(kBlack,
                  [&] {
                    render_->SetTarget(&intoTarget);
                    render_->Clear(render::kClearColor, kBlack, 1.0f, 0);
                    render_testing::DrawQuad(*render_, intoTarget, *shader.Get(), white.get(), 0xFFFF0000u, 0, 0, 1,
                                             &target->GetProjection());
                    render_testing::DrawQuad(*render_, onScreen, *shader.Get(), target->GetTexture(), 0xFFFFFFFFu, 5,
                                             6, 2);
                  }),
            QL_OK);
  EXPECT_EQ(Pixel(5, 6), 0xFFFF0000u);
  EXPECT_EQ(Pixel(6, 7), 0xFFFF0000u);
  EXPECT_EQ(Pixel(4, 6), 0xFF000000u);
}

// A clear reaches the target that is pending when it is recorded. A target
// baked through its own Graphics stays pending afterwards, so whoever clears
// the screen next names the screen first, as a Graphics over the Render does.
TEST_F(RenderDX9Test, AClearReachesThePendingTargetOnly) {
  ASSERT_EQ(Start(), QL_OK);
  resource::ResourceHandle<render::ShaderTextured> shader;
  ASSERT_EQ(render_->GetTexturedMultShader(&shader), QL_OK);
  constexpr float kRed[4] = {1.0f, 0.0f, 0.0f, 1.0f};
  const struct {
    const char* name;
    bool throughScreenGraphics;
    std::uint32_t targetAfter;
  } cases[] = {{"a Graphics over the screen clears the screen", true, 0xFFFF0000u},
               {"the Render clears the target still pending", false, 0xFF000000u}};
  for (const auto& [name, throughScreenGraphics, targetAfter] : cases) {
    std::unique_ptr<render::RenderTarget> target;
    ASSERT_EQ(render_->CreateRenderTarget(4, 4, &target, true), QL_OK);
    {
      render::Graphics baking(*target);
      ASSERT_EQ(baking.Clear(render::kClearColor, kRed, 1.0f, 0), QL_OK);
    }
    ASSERT_EQ(render_->BeginScene(), QL_OK);
    if (throughScreenGraphics) {
      render::Graphics screen(*render_);
      ASSERT_EQ(screen.Clear(render::kClearColor, kBlack, 1.0f, 0), QL_OK);
    } else {
      ASSERT_EQ(render_->Clear(render::kClearColor, kBlack, 1.0f, 0), QL_OK);
    }
    render::RenderState onScreen;
    render_testing::DrawQuad(*render_, onScreen, *shader.Get(), target->GetTexture(), 0xFFFFFFFFu, 5, 6, 2);
    ASSERT_EQ(render_->EndScene(), QL_OK);
    ASSERT_EQ(render_->Present(), QL_OK);
    ASSERT_EQ(render_->ExecuteCommands(), QL_OK);
    EXPECT_EQ(Pixel(5, 6), targetAfter) << name;
  }
}

// Hundreds of quads through the whole road, recording, replay and present;
// the picture is kept as "render-quads.png" beside the test for a look.
TEST_F(RenderDX9Test, ACheckerboardOfQuadsReadsBackPixelForPixel) {
  ASSERT_EQ(Start(), QL_OK);
  std::unique_ptr<render::Texture> texture = WhiteTexture();
  resource::ResourceHandle<render::ShaderTextured> shader;
  ASSERT_EQ(render_->GetTexturedMultShader(&shader), QL_OK);
  render::RenderState state;
  const auto colourAt = [](int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 10) << 8 | 0x40u;
  };
  ASSERT_EQ(Frame(kBlack,
                  [&] {
                    for (int y = 0; y < kHeight; ++y) {
                      for (int x = (y & 1); x < kWidth; x += 2) {
                        render_testing::DrawQuad(*render_, state, *shader.Get(), texture.get(), colourAt(x, y),
                                                 static_cast<float>(x), static_cast<float>(y));
                      }
                    }
                  }),
            QL_OK);

  const std::vector<std::uint32_t> picture = Picture();
  ASSERT_EQ(picture.size(), std::size_t{kWidth * kHeight});
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t expected = (x + y) % 2 == 0 ? colourAt(x, y) : 0xFF000000u;
      ASSERT_EQ(picture[static_cast<std::size_t>(y * kWidth + x)], expected) << x << "," << y;
    }
  }
  SavePicture("render-quads.png", picture);
}

TEST_F(RenderDX9Test, ALostDeviceIsResetAndDrawsAgain) {
  ASSERT_EQ(Start(), QL_OK);
  render_->GetDevice()->SimulateDeviceLoss();
  EXPECT_FALSE(render_->IsReadyToRender()) << "lost";
  EXPECT_TRUE(render_->IsDeviceLost());
  EXPECT_FALSE(render_->IsReadyToRender()) << "reset, drawn from the next frame on";
  EXPECT_FALSE(render_->IsDeviceLost());
  ASSERT_EQ(Frame(kOrange), QL_OK);
  EXPECT_EQ(Pixel(0, 0), 0xFFFF7F00u);
}

TEST_F(RenderDX9Test, AFailingResetKeepsTheDeviceLost) {
  ASSERT_EQ(Start(), QL_OK);
  render_->GetDevice()->SimulateDeviceLoss(1);
  EXPECT_FALSE(render_->IsReadyToRender());
  EXPECT_FALSE(render_->IsReadyToRender());
  EXPECT_TRUE(render_->IsDeviceLost());
  EXPECT_FALSE(render_->IsReadyToRender());
  EXPECT_FALSE(render_->IsDeviceLost());
}

struct CapsCase {
  const char* name;
  platform::ShaderModel vertex;
  platform::ShaderModel pixel;
  std::uint32_t maxVertexIndex;
  bool scissorTest;
  bool starts;
  bool renderFailed;
};

void PrintTo(const CapsCase& row, std::ostream* out) { *out << row.name; }

class RenderCapsTest : public RenderDX9Test, public ::testing::WithParamInterface<CapsCase> {};

TEST_P(RenderCapsTest, StartUpChecksTheCard) {
  platform::DeviceCaps caps;
  caps.maxTextureWidth = caps.maxTextureHeight = 4096;
  caps.maxVertexIndex = GetParam().maxVertexIndex;
  caps.vertexShader = GetParam().vertex;
  caps.pixelShader = GetParam().pixel;
  caps.scissorTest = GetParam().scissorTest;
  platform::OverrideDeviceCaps(caps);
  EXPECT_EQ(Start() == QL_OK, GetParam().starts);
  EXPECT_EQ(app::Application::Instance()->IsRenderFailed(), GetParam().renderFailed);
  EXPECT_EQ(app::Application::Instance()->IsFinishing(), GetParam().renderFailed);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, RenderCapsTest,
    ::testing::Values(CapsCase{"PixelShader14", {1, 1}, {1, 4}, 0xFFFFFF, true, false, true},
                      CapsCase{"Shaders20", {2, 0}, {2, 0}, 0xFFFFFF, true, true, false},
                      CapsCase{"VertexIndex65534", {2, 0}, {2, 0}, 65534, true, false, false},
                      CapsCase{"NoScissorTest", {2, 0}, {2, 0}, 0xFFFFFF, false, false, false}),
    [](const ::testing::TestParamInfo<CapsCase>& info) { return std::string(info.param.name); });

TEST(AspectRatioTest, Reduces) {
  const struct {
    int a, b, numerator, denominator;
  } cases[] = {{1024, 768, 4, 3}, {1366, 768, 683, 384}, {1920, 1080, 16, 9}, {0, 0, 0, 0}, {5, 0, 1, 0}};
  for (const auto& c : cases) {
    const render::AspectRatio ratio(c.a, c.b);
    EXPECT_EQ(ratio.numerator, c.numerator) << c.a << "x" << c.b;
    EXPECT_EQ(ratio.denominator, c.denominator) << c.a << "x" << c.b;
  }
}

}  // namespace

app::Application* app::CreateApplication() { return new TestApplication; }
