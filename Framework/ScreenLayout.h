#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "Core/App/MonitorList.h"
#include "Core/Base/Result.h"
#include "Core/Input/Point.h"
#include "Framework/ScreenSettings.h"

namespace framework {

// The design space: layouts are made for width x height and fill at most
// maxWidth x height.
struct DesignSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t maxWidth = 0;
};

// Where the design space lies on the screen, as the frame and the mouse
// conversion use it.
struct ScreenLayout {
  // design = scale * (window + offset)
  float designScaleX = 1.0f;
  float designScaleY = 1.0f;
  float designOffsetX = 0.0f;
  float designOffsetY = 0.0f;
  // x, y, width, height of the stretch of design space the screen shows.
  std::array<float, 4> visibleArea{};
  bool drawBorders = false;
  bool bordersAreSideBars = false;
  // Left or top first; in design units when drawing directly, in pixels
  // when drawing through the off-screen target.
  std::array<std::array<float, 4>, 2> borders{};
  // How the off-screen target's picture is stretched over the content area,
  // and the screen point it is centred on.
  float targetScaleX = 1.0f;
  float targetScaleY = 1.0f;
  float targetCentreX = 0.0f;
  float targetCentreY = 0.0f;

  input::Point ToDesign(input::Point window) const {
    return {designScaleX * (window.x + designOffsetX), designScaleY * (window.y + designOffsetY)};
  }
};

// What the layout needs of the desktop and the window system.
struct ScreenEnvironment {
  app::MonitorInfo monitor;
  std::function<app::WindowSize(app::WindowSize client)> windowSizeForClient;
  std::function<QLResultEnum(float width, float height, math::Matrix4* out)> makeOrthoProjection;
};

// The primary monitor, else the first; without any monitor, fallback.
app::MonitorInfo ChooseMonitor(const app::MonitorList& monitors, const app::MonitorInfo& fallback);

// Lays the design space out on the monitor, windowed or full screen: window
// place and size, borders, the mouse conversion, and either a projection
// that draws straight onto the back buffer or an off-screen target.
QLResultEnum ComputeScreenLayout(const DesignSize& design, const ScreenEnvironment& environment, bool windowed,
                                 ScreenSettings* settings, ScreenLayout* layout);

}  // namespace framework
