#include "Core/Render/DX9/RenderDX9.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "Core/App/Application.h"
#include "Core/App/Window.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Input/CoordConverter.h"
#include "Core/Input/InputListener.h"
#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Shader.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Core/Render/FakeDevice.h"
#include "tests/Support/GraphicsDriver.h"

namespace {

class TestApplication : public app::Application {};

class IgnoredInput : public input::InputListener, public input::CoordConverter {
 public:
  input::Point ToDesign(input::Point window) const override { return window; }
  QLResultEnum OnMouseDown(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseUp(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseDoubleClick(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseMove(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseDrag(const input::Point&) override { return QL_OK; }
  QLResultEnum OnMouseWheel(const input::Point&, int) override { return QL_OK; }
  QLResultEnum OnMouseLeave(const input::Point&) override { return QL_OK; }
  QLResultEnum OnKeyDown(int) override { return QL_OK; }
  QLResultEnum OnKeyUp(int) override { return QL_OK; }
  QLResultEnum OnChar(char16_t) override { return QL_OK; }
  QLResultEnum OnTouchBegin(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchMove(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchEnd(const input::Touch&) override { return QL_OK; }
  QLResultEnum OnTouchCancel(const input::Touch&) override { return QL_OK; }
};

constexpr int kWidth = 32;
constexpr int kHeight = 24;

class RenderDX9Test : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Startup();
    ASSERT_EQ(window_.Create({0, 0}, {kWidth, kHeight}, {kWidth, kHeight}, true, u"render test"), QL_OK);
    param_.width = kWidth;
    param_.height = kHeight;
  }
  void TearDown() override {
    render_.reset();
    platform::OverrideDeviceCaps(std::nullopt);
    SingletonRegistry::Shutdown();
    platform::ShutdownShaderCompiler();
    platform::Shutdown();
  }

  QLResultEnum Start() {
    render_ = std::make_unique<render::RenderDX9>();
    const QLResultEnum result = render_->Init(&window_, param_);
    testing_support::KeepGraphicsDriverLoaded();
    return result;
  }

  // One frame: a clear and whatever draw adds, replayed on the device.
  QLResultEnum Frame(const float colour[4], const std::function<void()>& draw = {}) {
    if (!render_->IsReadyToRender()) return QL_FAIL;
    render_->BeginScene();
    render_->Clear(render::kClearColor, colour, 1.0f, 0);
    if (draw) draw();
    render_->EndScene();
    render_->Present();
    return render_->ExecuteCommands();
  }

  std::unique_ptr<render::Texture> WhiteTexture() {
    std::unique_ptr<render::Texture> texture;
    render_->CreateTexture(texture);
    auto white = render_->GetDevice()->CreateTexture(1, 1, 1, platform::TextureFormat::kArgb8);
    platform::LockedLevel level;
    if (white->Lock(0, &level)) {
      *static_cast<std::uint32_t*>(level.bits) = 0xFFFFFFFFu;
      white->Unlock(0);
    }
    static_cast<render::TextureDX9*>(texture.get())->SetDeviceTexture(white);
    return texture;
  }

  std::uint32_t Pixel(int x, int y) { return render_->GetDevice()->ReadPixels({x, y, x + 1, y + 1}).at(0); }

  IgnoredInput ignored_;
  input::InputWin32 input_{ignored_, ignored_};
  app::Window window_{&input_, false, false, true};
  render::RenderInitParam param_;
  std::unique_ptr<render::RenderDX9> render_;
};

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

// Hundreds of quads through the whole road, recording, replay and present;
// the picture is kept as "render-quads.ppm" beside the test for a look.
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

  const std::vector<std::uint32_t> picture = render_->GetDevice()->ReadPixels({0, 0, kWidth, kHeight});
  ASSERT_EQ(picture.size(), std::size_t{kWidth * kHeight});
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t expected = (x + y) % 2 == 0 ? colourAt(x, y) : 0xFF000000u;
      ASSERT_EQ(picture[static_cast<std::size_t>(y * kWidth + x)], expected) << x << "," << y;
    }
  }
  std::ofstream ppm("render-quads.ppm", std::ios::binary);
  ppm << "P6\n" << kWidth << " " << kHeight << "\n255\n";
  for (const std::uint32_t argb : picture)
    ppm << static_cast<char>(argb >> 16) << static_cast<char>(argb >> 8) << static_cast<char>(argb);
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
  caps.scissorTest = true;
  platform::OverrideDeviceCaps(caps);
  EXPECT_EQ(Start() == QL_OK, GetParam().starts);
  EXPECT_EQ(app::Application::Instance()->IsRenderFailed(), GetParam().renderFailed);
  EXPECT_EQ(app::Application::Instance()->IsFinishing(), GetParam().renderFailed);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, RenderCapsTest,
    ::testing::Values(CapsCase{"PixelShader14", {1, 1}, {1, 4}, 0xFFFFFF, false, true},
                      CapsCase{"Shaders20", {2, 0}, {2, 0}, 0xFFFFFF, true, false},
                      CapsCase{"VertexIndex65534", {2, 0}, {2, 0}, 65534, false, false}),
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
