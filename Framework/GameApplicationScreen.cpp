#include "Core/Base/LogMessage.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/RenderTarget.h"
#include "Framework/GameApplication.h"
#include "Framework/GameWindow.h"
#include "Framework/ScreenModeListeners.h"

namespace framework {

ScreenEnvironment GameApplication::GetScreenEnvironment() const {
  // Without any monitor reported the screen is taken to be just large enough
  // for the widest design window.
  app::MonitorInfo fallback;
  const app::WindowSize widest = window_->GetWindowSizeForClient(
      {static_cast<int>(design_.maxWidth), static_cast<int>(design_.height)});
  fallback.width = fallback.workWidth = widest.width;
  fallback.height = fallback.workHeight = widest.height;
  return {ChooseMonitor(monitors_, fallback),
          [this](app::WindowSize client) { return window_->GetWindowSizeForClient(client); },
          [this](float width, float height, math::Matrix4* out) {
            return render_->MakeOrthoProjection(width, height, out);
          }};
}

QLResultEnum GameApplication::ComputeScreenLayout(bool windowed, ScreenSettings* settings) {
  return framework::ComputeScreenLayout(design_, GetScreenEnvironment(), windowed, settings, &layout_);
}

bool GameApplication::WindowExceedsScreen() const {
  const app::MonitorInfo monitor = GetScreenEnvironment().monitor;
  const app::WindowSize window = window_->GetWindowSizeForClient(
      {static_cast<int>(design_.maxWidth), static_cast<int>(design_.height)});
  return window.width > monitor.workWidth || window.height > monitor.workHeight;
}

QLResultEnum GameApplication::MakeOffscreenTarget(const ScreenSettings& settings) {
  if (!settings.useTarget) return QL_OK;
  if (const QLResultEnum result =
          render_->CreateRenderTarget(static_cast<int>(settings.targetWidth), static_cast<int>(settings.targetHeight),
                                      &offscreenTarget_, false);
      result != QL_OK) {
    return result;
  }
  offscreenTarget_->SetProjection(settings.targetProjection);
  offscreenTarget_->SetMapping(settings.targetScaleX, settings.targetScaleY, settings.targetOffsetX,
                               settings.targetOffsetY);
  return QL_OK;
}

QLResultEnum GameApplication::DrawBorders(render::Graphics* graphics) {
  graphics->SetColorRGBA(0.0f, 0.0f, 0.0f, 1.0f);
  for (const auto& border : layout_.borders) graphics->FillRect({border[0], border[1], border[2], border[3]});
  return QL_OK;
}

QLResultEnum GameApplication::SwitchScreenMode() {
  const bool wasWindowed = window_->IsWindowed();
  ScreenSettings settings;
  if (const QLResultEnum result = ComputeScreenLayout(!wasWindowed, &settings); result != QL_OK) return result;
  if (settings.didNotFit) return QL_OK;
  offscreenTarget_.reset();

  QL_LOG(u"mRender->PrepareSwitchScreenMode()\n");
  if (const QLResultEnum result = render_->PrepareSwitchScreenMode(); result != QL_OK) return result;
  if (wasWindowed) {
    QL_LOG(u"SwitchWindowMode(false)\n");
    if (const QLResultEnum result = window_->SwitchWindowMode(settings.windowSize, false); result != QL_OK) {
      return result;
    }
    QL_LOG(u"mRender->SwitchScreenMode()\n");
    if (const QLResultEnum result = render_->SwitchScreenMode(settings.renderParam); result != QL_OK) return result;
  } else {
    QL_LOG(u"mWindow->SetWindowedSize()\n");
    window_->SetWindowedSize(settings.windowSize);
    QL_LOG(u"mRender->SwitchScreenMode()\n");
    if (const QLResultEnum result = render_->SwitchScreenMode(settings.renderParam); result != QL_OK) return result;
    QL_LOG(u"SwitchWindowMode(true)\n");
    window_->SwitchWindowMode(settings.windowSize, true);
  }
  if (const QLResultEnum result = MakeOffscreenTarget(settings); result != QL_OK) return result;
  if (window_->IsWindowed() != wasWindowed) ScreenModeListeners::Broadcast(window_->IsWindowed());
  return QL_OK;
}

}  // namespace framework
