#include "Core/Input/Win32/InputWin32.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Widget/FrameManager.h"
#include "Framework/GameApplication.h"

namespace framework {

namespace {

constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace

QLResultEnum GameApplication::Tick(float dt) {
  // A lost device, a minimised window or an inactive full screen: the game
  // stands still until it can be seen again.
  if (!render_->IsReadyToRender()) return QL_OK;
  if (const QLResultEnum result = input_->Update(); result != QL_OK) return result;
  if (const QLResultEnum result = Update(dt); result != QL_OK) return result;
  if (const QLResultEnum result = frameManager_->Update(dt); result != QL_OK) return result;
  DeleteAll();

  if (const QLResultEnum result = render_->BeginScene(); result != QL_OK) {
    render_->DiscardScene();
    return result;
  }
  const QLResultEnum result = DrawFrame();
  // Whatever was recorded of a failed frame is dropped, so the next one can
  // begin afresh.
  if (result != QL_OK) render_->DiscardScene();
  return result;
}

QLResultEnum GameApplication::DrawFrame() {
  {
    render::Graphics screen(*render_);
    if (const QLResultEnum result = screen.Clear(render::kClearColor, kBlack, 1.0f, 0); result != QL_OK) {
      return result;
    }
    if (offscreenTarget_) {
      {
        render::Graphics target(*offscreenTarget_);
        if (const QLResultEnum result = target.Clear(render::kClearColor, kBlack, 1.0f, 0); result != QL_OK) {
          return result;
        }
        if (const QLResultEnum result = frameManager_->Draw(&target); result != QL_OK) return result;
      }
      math::Transform2D placement;
      placement.Scale(layout_.targetScaleX, layout_.targetScaleY);
      placement.Translate(layout_.targetCentreX, layout_.targetCentreY);
      auto picture = screen.DrawImage(offscreenTarget_.get());
      picture->anchorX = render::kAnchorCenter;
      picture->anchorY = render::kAnchorMiddle;
      picture.Transform2D(placement);
    } else if (const QLResultEnum result = frameManager_->Draw(&screen); result != QL_OK) {
      return result;
    }
    if (layout_.drawBorders) {
      if (const QLResultEnum result = DrawBorders(&screen); result != QL_OK) return result;
    }
  }
  if (const QLResultEnum result = render_->EndScene(); result != QL_OK) return result;
  if (const QLResultEnum result = render_->Present(); result != QL_OK) return result;
  return render_->ExecuteCommands();
}

}  // namespace framework
