#include "Game/KpPopupList.h"

#include <algorithm>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Font.h"
#include "Core/Render/Graphics.h"
#include "Game/Game.h"
#include "Game/GameWindow.h"
#include "Game/KpResources.h"
#include "Game/OwnedPointers.h"

namespace {

// Units per second a popup rises.
constexpr float kRiseSpeed = 15.0f;
// A popup fades out over its last quarter second.
constexpr double kFadeTime = 0.25;
constexpr float kTextScale = 0.75f;
// The text starts right of the point, beside the icon.
constexpr float kTextOffsetX = 14.0f;


}  // namespace

KpPopup::KpPopup(float x, float y, int kind) : x(x), y(y), kind(kind) {}

void KpPopup::update(float dt) {
  if (!alive) return;
  elapsed += dt;
  x += velocityX * kRiseSpeed * dt;
  y += velocityY * kRiseSpeed * dt;
  alive = elapsed < life;
}

void KpPopup::draw(render::Graphics& graphics) {
  if (static_cast<double>(elapsed) > static_cast<double>(life) - kFadeTime)
    graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, std::clamp((life - elapsed) * 4.0f, 0.0f, 1.0f));
  if (icon) {
    math::Transform2D placement;
    placement.Translate(x, y);
    auto draw = graphics.DrawImage(icon);
    draw->anchorX = render::kAnchorCenter;
    draw->anchorY = render::kAnchorMiddle;
    draw.Transform2D(placement);
  }
  if (!text.empty() && graphics.GetFont()) {
    math::Transform2D placement;
    placement.Scale(kTextScale, kTextScale);
    placement.Translate(x + kTextOffsetX, y);
    auto draw = graphics.DrawText(text);
    draw->anchorX = render::kAnchorLeft;
    draw->anchorY = render::kAnchorMiddle;
    draw.Transform2D(placement);
  }
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
}

KpPopupList::KpPopupList() {
  KpResources* resources = KpResources::Instance();
  icons_[KpPopup::kImmune] = resources->findImage(u"kp/ui", u"ui/immune");
  icons_[KpPopup::kMoney] = resources->findImage(u"kp/ui", u"ui/money");
}

KpPopupList::~KpPopupList() { clear(); }

KpPopup* KpPopupList::add(float x, float y, int kind) {
  auto* popup = new KpPopup(x, y, kind);
  if (kind >= 0 && static_cast<std::size_t>(kind) < icons_.size()) popup->icon = icons_[static_cast<std::size_t>(kind)];
  popups_.push_back(popup);
  return popup;
}

void KpPopupList::update(float dt) {
  for (KpPopup* popup : popups_) popup->update(dt);
  DeletePointersIf(popups_, [](const KpPopup* popup) { return !popup->alive; });
}

void KpPopupList::draw(render::Graphics& graphics) {
  if (render::Font* font = LoadedGameFont(GameFont::kMain42c)) graphics.SetFont(font);
  for (KpPopup* popup : popups_) popup->draw(graphics);
}

void KpPopupList::clear() { DeleteAllPointers(popups_); }
