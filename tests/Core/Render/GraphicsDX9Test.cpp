#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Render/DX9/BuiltInShaders.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/Shader.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/SolidImage.h"

namespace {

using GraphicsDX9Test = render_test::RenderDX9Fixture;

constexpr float kBlack[4] = {0, 0, 0, 1};
constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

// A 4 x 2 image, white in every pixel.
std::unique_ptr<render::Image> WhiteImage(render::Render& render) {
  return testing_support::MakeSolidImage(render, 4, 2, 0xFFFFFFFFu);
}

// The half-pixel offset of the drawing code and the device's own correction
// cancel: a quad at whole coordinates covers exactly its pixels.
TEST_F(GraphicsDX9Test, AnImageDrawnThroughTheContextCoversItsPixels) {
  ASSERT_EQ(Start(), QL_OK);
  std::unique_ptr<render::Image> image = WhiteImage(*render_);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(Frame(kBlack,
                  [&] {
                    render::Graphics graphics(*render_);
                    graphics.SetColorRGBA(0.0f, 1.0f, 0.0f, 1.0f);
                    graphics.DrawImage(image.get()).Translate2D(8.0f, 4.0f).Scale(2.0f);
                  }),
            QL_OK);
  EXPECT_EQ(Pixel(16, 8), 0xFF00FF00u);
  EXPECT_EQ(Pixel(23, 11), 0xFF00FF00u);
  EXPECT_EQ(Pixel(15, 8), kOpaqueBlack);
  EXPECT_EQ(Pixel(24, 8), kOpaqueBlack);
  EXPECT_EQ(Pixel(16, 12), kOpaqueBlack);
}

// More sprites than the main vertex and index caches hold: the rest goes to
// overflow buffers, in this frame and again in the next.
class ManySpritesTest : public render_test::RenderDX9Fixture {
 protected:
  ManySpritesTest() {
    width_ = 128;
    height_ = 100;
  }
};

TEST_F(ManySpritesTest, EverySpriteOfAFramePastTheMainCachesIsDrawn) {
  constexpr int kSprites = 12000;
  ASSERT_EQ(Start(), QL_OK);
  std::unique_ptr<render::Image> image = WhiteImage(*render_);
  ASSERT_NE(image, nullptr);
  const auto drawOnePerPixel = [&] {
    render::Graphics graphics(*render_);
    graphics.SetColorRGBA(0.0f, 1.0f, 0.0f, 1.0f);
    for (int i = 0; i < kSprites; ++i) {
      graphics.DrawImageRegion(image.get(), {0.0f, 0.0f, 1.0f, 1.0f})
          .Translate2D(static_cast<float>(i % width_), static_cast<float>(i / width_));
    }
  };
  for (int frame = 0; frame < 2; ++frame) {
    ASSERT_EQ(Frame(kBlack, drawOnePerPixel), QL_OK);
    const std::vector<std::uint32_t> picture = Picture();
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(width_ * height_));
    for (int i = 0; i < width_ * height_; ++i) {
      ASSERT_EQ(picture[static_cast<std::size_t>(i)], i < kSprites ? 0xFF00FF00u : kOpaqueBlack)
          << "frame " << frame << ", pixel " << i;
    }
  }
}

// The enemies' shader: the texture times a tint constant of the pixel shader.
constexpr char kTintedPixelShader[] = R"(
float4 color2;
texture g_MeshTexture;
sampler TextureSampler = sampler_state {
  Texture = <g_MeshTexture>;
};
struct PS_INPUT {
  float4 Color : COLOR0;
  float2 TuTv : TEXCOORD0;
};
void pixel_shader(PS_INPUT Input, out float4 vColorOut : COLOR0) {
  vColorOut = Input.Color * tex2D(TextureSampler, Input.TuTv) * color2;
}
)";

class TintedShader : public render::ShaderTextured {
 public:
  QLResultEnum BindVariables() override {
    if (const QLResultEnum result = AddPoint4Variable("color2", render::kPixelStage, &tint)) return result;
    return ShaderTextured::BindVariables();
  }

  render::ShaderScalarVariable<math::Point4>* tint = nullptr;
};

struct TintedShaderTest : GraphicsDX9Test {
  // Loads the shader from a folder of the pixel shader's text; the vertex
  // shader is the built-in textured one.
  QLResultEnum Load(TintedShader& shader, const char* pixelText) {
    root_.WriteFile("shaders/mob/VS.hlsl", render::kVertexShaderTexturedMultText);
    root_.WriteFile("shaders/mob/PS.hlsl", pixelText);
    if (const QLResultEnum result = shader.SetRender(render_.get())) return result;
    if (const QLResultEnum result = shader.Init(u"shaders/mob/")) return result;
    return shader.Load();
  }

  testing_support::DataRoot root_;
};

TEST_F(TintedShaderTest, EachTintSetOnTheShaderColoursWhatItDraws) {
  ASSERT_EQ(Start(), QL_OK);
  TintedShader shader;
  ASSERT_EQ(Load(shader, kTintedPixelShader), QL_OK);
  ASSERT_NE(shader.tint, nullptr);
  std::unique_ptr<render::Image> image = WhiteImage(*render_);
  ASSERT_NE(image, nullptr);
  const struct {
    math::Point4 tint;
    std::uint32_t pixel;
  } cases[] = {{{1.0f, 0.0f, 1.0f, 1.0f}, 0xFFFF00FFu}, {{0.0f, 0.0f, 1.0f, 1.0f}, 0xFF0000FFu}};
  for (const auto& [tint, pixel] : cases) {
    shader.tint->Set(tint);
    ASSERT_EQ(Frame(kBlack,
                    [&] {
                      render::Graphics graphics(*render_);
                      ASSERT_EQ(graphics.SetTexturedShader(&shader), QL_OK);
                      graphics.DrawImage(image.get()).Translate2D(8.0f, 4.0f);
                    }),
              QL_OK);
    EXPECT_EQ(Pixel(8, 4), pixel);
    EXPECT_EQ(Pixel(12, 4), kOpaqueBlack);
  }
}

TEST_F(TintedShaderTest, AShaderWithoutTheConstantDoesNotLoad) {
  ASSERT_EQ(Start(), QL_OK);
  TintedShader shader;
  EXPECT_EQ(Load(shader, render::kPixelShaderTexturedMultText), QL_FAIL);
  EXPECT_EQ(shader.tint, nullptr);
}

}  // namespace
