#include "Game/KpButtonFrame.h"

#include <algorithm>

#include "Core/Render/Graphics.h"
#include "Framework/GameApplication.h"

namespace {

constexpr float kHoverScale = 1.1f;
// The zoom grows in 0.2 s and shrinks in 0.1 s.
constexpr float kGrowPerSecond = 0.5f;
constexpr float kShrinkPerSecond = 1.0f;

}  // namespace

void KpButtonFrame::draw(render::Graphics* graphics, float windowScale) {
  framework::GameApplication* application = framework::GameApplication::Instance();
  if (!image || !graphics || !application) return;
  const float halfWidth = static_cast<float>(application->GetDesignSize().width) / 2.0f;
  const float halfHeight = static_cast<float>(application->GetDesignSize().height) / 2.0f;
  graphics->SetColor(colour);
  auto draw = graphics->DrawImage(image);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(placement(windowScale, halfWidth, halfHeight));
}

math::Transform2D KpButtonFrame::placement(float windowScale, float halfWidth, float halfHeight) const {
  math::Transform2D transform;
  transform.Scale(scale, scale);
  transform.Translate(x + width / 2.0f - halfWidth, y + height / 2.0f - halfHeight);
  transform.Scale(windowScale, windowScale);
  transform.Translate(halfWidth, halfHeight);
  return transform;
}

void KpButtonFrame::updateHover(std::int32_t pointerX, std::int32_t pointerY) {
  const auto px = static_cast<float>(pointerX);
  const auto py = static_cast<float>(pointerY);
  hover = (px > x && px < x + width && py > y && py < y + height) ? 1 : 0;
}

void KpButtonFrame::update(float dt) {
  if (hover == 1) scale = std::min(scale + dt * kGrowPerSecond, kHoverScale);
  if (hover == 0) scale = std::max(scale - dt * kShrinkPerSecond, 1.0f);
}
