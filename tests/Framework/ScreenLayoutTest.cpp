#include "Framework/ScreenLayout.h"

#include <gtest/gtest.h>

#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
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
