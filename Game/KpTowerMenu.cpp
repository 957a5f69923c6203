#include "Game/KpTowerMenu.h"

#include <cmath>

#include "Core/Render/Font.h"
#include "Core/Resource/ResourceHandle.h"
#include "Core/Sound/SoundTags.h"
#include "Game/AttributedString.h"
#include "Game/GameWindow.h"
#include "Game/KpProto.h"
#include "Game/KpResources.h"

KpMenuItem::KpMenuItem()
    : moneyIcon(KpResources::Instance()->findImage(u"kp/ui", u"ui/context_money")),
      gemIcon(KpResources::Instance()->findImage(u"kp/ui", u"ui/context_gem")),
      priceRichText(std::make_unique<AttributedString>()) {
  if (render::Font* font = LoadedGameFont(GameFont::kMain42c))
    priceRichText->setFont(resource::ResourceHandle<render::Font>(font));
  priceRichText->setImage(u'$', moneyIcon);
  priceRichText->setImage(u'#', gemIcon);
}

KpMenuItem::~KpMenuItem() = default;

KpTowerMenu::KpTowerMenu() { w4::SoundTags::Instance()->Play(u"context_in"); }

KpTowerMenu::~KpTowerMenu() = default;

KpMenuItem* KpTowerMenu::addItem(int slot, int id) {
  items.push_back(std::make_unique<KpMenuItem>());
  KpMenuItem* item = items.back().get();
  item->slot = slot;
  item->id = id;
  return item;
}

int KpTowerMenu::itemAt(int x, int y) {
  if (items.empty() || phase != kOpen) return -1;
  const float reach = radius * edgeFactor();
  for (const std::unique_ptr<KpMenuItem>& item : items) {
    const MenuPoint place = PointOnMenuRing(centreX, centreY, item->angle, reach);
    const float dx = static_cast<float>(x) - place.x;
    const float dy = static_cast<float>(y) - place.y;
    if (std::sqrt(dx * dx + dy * dy) < kItemHitRadius) {
      hoverItem = item.get();
      return item->id;
    }
  }
  hoverItem = nullptr;
  return -1;
}

float KpTowerMenu::priceOf(int id) const {
  for (const std::unique_ptr<KpMenuItem>& item : items)
    if (item->id == id) return item->price;
  return 0.0f;
}

void KpTowerMenu::close() {
  if (phase == kClosing) return;
  w4::SoundTags::Instance()->Play(u"context_out");
  phase = kClosing;
  phaseTime = 0.0f;
}

void KpTowerMenu::update(float dt) {
  phaseTime += dt;
  if (phaseTime <= kPhaseSeconds) return;
  if (phase == kOpening) {
    phase = kOpen;
    phaseTime = 0.0f;
  } else if (phase == kClosing) {
    isOpen = false;
    phase = kOpen;
  }
}
