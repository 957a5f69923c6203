#pragma once

#include <cstdint>

#include "Core/App/Win32/WindowWin32.h"
#include "Core/Base/MathMatrix4.h"
#include "Core/Render/RenderInitParam.h"

namespace framework {

// How the window and the renderer are set up for one screen mode.
struct ScreenSettings {
  app::WindowPosition position;
  app::WindowSize windowSize;
  render::RenderInitParam renderParam;
  // Windowed mode was asked for, but the window is larger than the work area.
  bool didNotFit = false;
  // The frame is drawn at design resolution into an off-screen target.
  bool useTarget = false;
  std::uint32_t targetWidth = 0;
  std::uint32_t targetHeight = 0;
  math::Matrix4 targetProjection;
  float targetScaleX = 1.0f;
  float targetScaleY = 1.0f;
  float targetOffsetX = 0.0f;
  float targetOffsetY = 0.0f;
};

}  // namespace framework
