#include "Framework/ScreenLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/Graphics.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

using framework::ScreenLayout;
using framework::ScreenSettings;

constexpr framework::DesignSize kGameDesign{1024, 768, 1366};

// Direct3D's pixel projection: x from 0 to width onto -1 ... 1, y from 0 to
// height onto 1 ... -1.
QLResultEnum PixelProjection(float width, float height, math::Matrix4* out) {
  *out = math::Matrix4();
  out->m[0] = 2.0f / width;
  out->m[5] = -2.0f / height;
  out->m[12] = -1.0f;
  out->m[13] = 1.0f;
  return QL_OK;
}

framework::ScreenEnvironment Monitor(int width, int height, int workHeight) {
  app::MonitorInfo monitor;
  monitor.width = monitor.workWidth = width;
  monitor.height = height;
  monitor.workHeight = workHeight;
  monitor.primary = true;
  return {monitor, [](app::WindowSize client) { return client; }, PixelProjection};
}

struct LayoutCase {
  int monitorWidth, monitorHeight;
  bool askWindowed;
  bool windowed, didNotFit;
  float contentWidth, contentHeight;
  float visibleX, visibleWidth;
  bool useTarget;
  float scaleX, scaleY;  // screen scale when direct, target scale through a target
  std::vector<std::array<float, 4>> borders;
};

class ScreenLayoutTableTest : public ::testing::TestWithParam<LayoutCase> {};

// The worked layouts of a 1024-wide design that fills up to 1366 on screens
// of every shape: letterbox, pillarbox, direct drawing and the target.
TEST_P(ScreenLayoutTableTest, LaysTheDesignOutOnTheScreen) {
  const LayoutCase& c = GetParam();
  // The taskbar takes 40 pixels of the work area.
  const auto environment = Monitor(c.monitorWidth, c.monitorHeight, c.monitorHeight - 40);
  ScreenSettings settings;
  ScreenLayout layout;
  ASSERT_EQ(framework::ComputeScreenLayout(kGameDesign, environment, c.askWindowed, &settings, &layout), QL_OK);

  const float clientWidth = static_cast<float>(settings.renderParam.width);
  const float clientHeight = static_cast<float>(settings.renderParam.height);
  EXPECT_EQ(settings.renderParam.windowed, c.windowed);
  EXPECT_EQ(settings.didNotFit, c.didNotFit);
  EXPECT_FLOAT_EQ(layout.visibleArea[0], c.visibleX);
  EXPECT_FLOAT_EQ(layout.visibleArea[2], c.visibleWidth);
  EXPECT_EQ(settings.useTarget, c.useTarget);
  EXPECT_EQ(settings.renderParam.ortho, c.useTarget);
  ASSERT_EQ(layout.drawBorders, !c.borders.empty());
  for (std::size_t i = 0; i < c.borders.size(); ++i) {
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(layout.borders[i][k], c.borders[i][k], 1e-3) << i << "," << k;
  }

  // The content area's corners are the visible design area's corners.
  const float left = (clientWidth - c.contentWidth) * 0.5f;
  const float top = (clientHeight - c.contentHeight) * 0.5f;
  const input::Point topLeft = layout.ToDesign({left, top});
  const input::Point bottomRight = layout.ToDesign({left + c.contentWidth, top + c.contentHeight});
  EXPECT_NEAR(topLeft.x, c.visibleX, 1e-3);
  EXPECT_NEAR(topLeft.y, 0.0f, 1e-3);
  EXPECT_NEAR(bottomRight.x, c.visibleX + c.visibleWidth, 1e-2);
  EXPECT_NEAR(bottomRight.y, 768.0f, 1e-2);

  // The projection takes the visible design area onto the content area
  // (direct) or onto the whole target.
  const math::Matrix4& projection =
      c.useTarget ? settings.targetProjection : settings.renderParam.projection;
  math::Point3 first{c.visibleX, 0, 0};
  math::Point3 last{c.visibleX + c.visibleWidth, 768, 0};
  projection.TransformPoint(first);
  projection.TransformPoint(last);
  if (c.useTarget) {
    EXPECT_EQ(settings.targetWidth, static_cast<std::uint32_t>(c.visibleWidth));
    EXPECT_EQ(settings.targetHeight, 768u);
    EXPECT_FLOAT_EQ(settings.targetOffsetX, -c.visibleX);
    EXPECT_NEAR(layout.targetScaleX, c.scaleX, 1e-5);
    EXPECT_NEAR(layout.targetScaleY, c.scaleY, 1e-5);
    EXPECT_FLOAT_EQ(layout.targetCentreX, clientWidth * 0.5f);
    EXPECT_FLOAT_EQ(layout.targetCentreY, clientHeight * 0.5f);
    EXPECT_NEAR(first.x, -1.0f, 1e-5);
    EXPECT_NEAR(last.y, -1.0f, 1e-5);
  } else {
    EXPECT_NEAR(settings.renderParam.screenScaleX, c.scaleX, 1e-5);
    EXPECT_NEAR(settings.renderParam.screenScaleY, c.scaleY, 1e-5);
    // The scissor's mapping agrees with the projection's.
    EXPECT_NEAR(c.visibleX * c.scaleX + settings.renderParam.screenOffsetX, left, 1e-3);
    EXPECT_NEAR(settings.renderParam.screenOffsetY, top, 1e-3);
    EXPECT_NEAR(first.x, 2.0f * left / clientWidth - 1.0f, 1e-5);
    EXPECT_NEAR(first.y, 1.0f - 2.0f * top / clientHeight, 1e-5);
    EXPECT_NEAR(last.x, 2.0f * (left + c.contentWidth) / clientWidth - 1.0f, 1e-4);
    EXPECT_NEAR(last.y, 1.0f - 2.0f * (top + c.contentHeight) / clientHeight, 1e-4);
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedLayouts, ScreenLayoutTableTest,
    ::testing::Values(
        LayoutCase{1920, 1080, true, true, false, 1366, 768, -171, 1366, false, 1, 1, {}},
        LayoutCase{1024, 768, false, false, false, 1024, 768, 0, 1024, false, 1, 1, {}},
        LayoutCase{800, 600, true, false, true, 800, 600, 0, 1024, false, 0.78125f, 0.78125f, {}},
        LayoutCase{1280, 720, false, false, false, 1280, 720, -170.5f, 1365, false, 1280.0f / 1365, 0.9375f, {}},
        LayoutCase{1920, 1080, false, false, false, 1920, 1080, -170.5f, 1365, true, 1920.0f / 1365, 1.40625f, {}},
        LayoutCase{1920, 1200, false, false, false, 1920, 1200, -102, 1228, true, 1920.0f / 1228, 1.5625f, {}},
        LayoutCase{1280, 1024, false, false, false, 1280, 960, 0, 1024, true, 1.25f, 1.25f,
                   {{0, 0, 1280, 32}, {0, 992, 1280, 32}}},
        LayoutCase{2560, 1080, false, false, false, 1920, 1080, -171, 1366, true, 1920.0f / 1366, 1.40625f,
                   {{0, 0, 320, 1080}, {2240, 0, 320, 1080}}},
        LayoutCase{1280, 600, false, false, false, 1067, 600, -171, 1366, false, 1067.0f / 1366, 0.78125f,
                   {{-307.3439f, 0, 136.3439f, 768}, {1195, 0, 136.3439f, 768}}},
        LayoutCase{1024, 800, false, false, false, 1024, 768, 0, 1024, false, 1, 1,
                   {{0, -16, 1024, 16}, {0, 768, 1024, 16}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) {
      const LayoutCase& c = info.param;
      return "Monitor" + std::to_string(c.monitorWidth) + "x" + std::to_string(c.monitorHeight) +
             (c.askWindowed ? "Windowed" : "FullScreen");
    });

struct ScreenCase {
  int width, height;
  bool windowed;
};

std::string ScreenCaseName(const ::testing::TestParamInfo<ScreenCase>& info) {
  const ScreenCase& c = info.param;
  return std::to_string(c.width) + "x" + std::to_string(c.height) + (c.windowed ? "Windowed" : "");
}

// The frame as the layout has it drawn, straight onto the back buffer or
// into the off-screen target, whose picture stands in for the back buffer
// here.
class ScreenScissorTest : public render_test::RenderDX9Fixture, public ::testing::WithParamInterface<ScreenCase> {
 protected:
  ScreenScissorTest() {
    const ScreenCase& c = GetParam();
    layoutResult_ = framework::ComputeScreenLayout(kGameDesign, Monitor(c.width, c.height, c.height - 40),
                                                   c.windowed, &settings_, &layout_);
    if (settings_.useTarget) {
      width_ = static_cast<int>(settings_.targetWidth);
      height_ = static_cast<int>(settings_.targetHeight);
    } else {
      width_ = settings_.renderParam.width;
      height_ = settings_.renderParam.height;
    }
  }

  void SetUp() override {
    ASSERT_EQ(layoutResult_, QL_OK);
    RenderDX9Fixture::SetUp();
    param_.ortho = false;
    if (settings_.useTarget) {
      param_.projection = settings_.targetProjection;
      param_.screenScaleX = settings_.targetScaleX;
      param_.screenScaleY = settings_.targetScaleY;
      param_.screenOffsetX = settings_.targetOffsetX;
      param_.screenOffsetY = settings_.targetOffsetY;
    } else {
      param_.projection = settings_.renderParam.projection;
      param_.screenScaleX = settings_.renderParam.screenScaleX;
      param_.screenScaleY = settings_.renderParam.screenScaleY;
      param_.screenOffsetX = settings_.renderParam.screenOffsetX;
      param_.screenOffsetY = settings_.renderParam.screenOffsetY;
    }
    ASSERT_EQ(Start(), QL_OK);
  }

  // The lit pixels of a white fill of the design rectangle, clipped to the
  // scissor rectangle when one is given.
  std::vector<std::uint32_t> Fill(const math::Rect& fill, const math::Rect* scissor) {
    const float black[4] = {0, 0, 0, 1};
    EXPECT_EQ(Frame(black,
                    [&] {
                      render::Graphics g(*render_);
                      g.SetBlendMode(render::kBlendOpaque);
                      g.SetColorRGBA(1, 1, 1, 1);
                      if (scissor) g.SetScissorRect(*scissor);
                      g.FillRect(fill);
                    }),
              QL_OK);
    return Picture();
  }

  QLResultEnum layoutResult_ = QL_FAIL;
  ScreenSettings settings_;
  ScreenLayout layout_;
};

TEST_P(ScreenScissorTest, AScissoredScreenFillLightsThePixelsOfAFillOfTheScissorRectangle) {
  const auto& visible = layout_.visibleArea;
  const math::Rect screen{visible[0], visible[1], visible[2], visible[3]};
  // Whole design units, as the layouts place things, fractions, and on
  // 800x600 edges that pass through pixel centres.
  for (const math::Rect& rect : {math::Rect{visible[0] + 10.0f, 37.0f, 300.0f, 200.0f},
                                   math::Rect{200.0f, 411.0f, 563.0f, 301.0f},
                                   math::Rect{visible[0] + 71.9f, 123.45f, 601.7f, 333.3f},
                                   math::Rect{77.3f, 77.3f, 512.0f, 256.0f}}) {
    const std::vector<std::uint32_t> filled = Fill(rect, nullptr);
    const std::vector<std::uint32_t> scissored = Fill(screen, &rect);
    ASSERT_EQ(filled.size(), scissored.size());
    int differing = 0;
    int lit = 0;
    for (std::size_t i = 0; i < filled.size(); ++i) {
      differing += filled[i] != scissored[i];
      lit += (filled[i] & 0xFFFFFFu) != 0;
    }
    EXPECT_GT(lit, 0) << rect.x << "," << rect.y;
    EXPECT_EQ(differing, 0) << "pixels that differ for the rectangle at " << rect.x << "," << rect.y;
  }
}

// The worked layouts' screens, and the shapes between the design's widths.
INSTANTIATE_TEST_SUITE_P(Screens, ScreenScissorTest,
                         ::testing::Values(ScreenCase{1920, 1080, true}, ScreenCase{1024, 768, false},
                                           ScreenCase{800, 600, false}, ScreenCase{1280, 720, false},
                                           ScreenCase{1920, 1080, false}, ScreenCase{1920, 1200, false},
                                           ScreenCase{1280, 1024, false}, ScreenCase{2560, 1080, false},
                                           ScreenCase{1280, 600, false}, ScreenCase{1024, 800, false},
                                           ScreenCase{1366, 768, false}),
                         ScreenCaseName);

TEST(ScreenLayoutTest, AWindowThatFitsIsCentredOnTheWorkArea) {
  const auto environment = Monitor(1920, 1080, 1040);
  ScreenSettings settings;
  ScreenLayout layout;
  ASSERT_EQ(framework::ComputeScreenLayout(kGameDesign, environment, true, &settings, &layout), QL_OK);
  EXPECT_EQ(settings.position.x, 277);
  EXPECT_EQ(settings.position.y, 136);
  EXPECT_EQ(settings.windowSize, (app::WindowSize{1366, 768}));
  EXPECT_FLOAT_EQ(settings.renderParam.screenOffsetX, 171.0f);
  EXPECT_FLOAT_EQ(layout.designOffsetX, -171.0f);
}

TEST(ScreenLayoutTest, WithoutMonitorsTheFallbackScreenIsUsedAndSaid) {
  std::vector<base::WString> log;
  base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log));
  app::MonitorInfo fallback;
  fallback.width = 1024;
  fallback.height = 768;
  const app::MonitorList none;
  EXPECT_EQ(framework::ChooseMonitor(none, fallback).width, 1024);
  EXPECT_NE(log.back().find(u"No monitor"), base::WString::npos);

  auto environment = Monitor(0, 0, 0);
  ScreenSettings settings;
  ScreenLayout layout;
  EXPECT_EQ(framework::ComputeScreenLayout(kGameDesign, environment, false, &settings, &layout), QL_FAIL);
  SingletonRegistry::Shutdown();
}

}  // namespace
