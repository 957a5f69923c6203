// The player's hand on the map during play: presses and releases on the wave
// hints, the enemies, the gems, the build spots, the towers and the radial
// tower menu.

#include <memory>
#include <string>

#include "Core/Base/TextConversion.h"
#include "Core/Sound/SoundTags.h"
#include "Game/CurveGeometry.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpPickups.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"

namespace {

// A tower within this distance of a point is hit.
constexpr float kTowerHitRadius = 50.0f;

struct MapPoint {
  int x = 0;
  int y = 0;
};

MapPoint MapPointOf(const KpMap& map, int x, int y) {
  return {TruncateToInt((static_cast<float>(x) - map.mapOffsetX) / map.mapScale),
          TruncateToInt((static_cast<float>(y) - map.mapOffsetY) / map.mapScale)};
}

// While the resources or a level load, the pointer does nothing.
bool TakesPointer(const KpMap& map) { return map.resourcesLoaded && map.loadingPhase == 0; }

bool PlayingLevel(const KpMap& map) { return map.screenState == kScreenPlay && map.mapImages; }

// The menu from its opening to the end of its closing; a menu that has
// closed waits only for the drawing to delete it.
KpTowerMenu* ShownMenu(const KpMap& map) {
  return map.towerMenu && map.towerMenu->isOpen ? map.towerMenu.get() : nullptr;
}

// Two coins for every second the player saves, shown where the hint was
// pressed.
void CallNextWave(KpMap& map, int x, int y) {
  w4::SoundTags::Instance()->Play(u"simple");
  const int reward = map.waves->callNextWaveEarly();
  if (!map.popups) return;
  KpPopup* popup = map.popups->add(static_cast<float>(x), static_cast<float>(y), KpPopup::kMoney);
  popup->text = u"+ " + base::ToWide(std::to_string(reward), base::kEncodingUtf8);
}

// The build pays itself or returns null; an unpaid build leaves the menu
// open for another choice.
bool BuildFromMenu(KpMap& map, const KpTowerMenu& menu, int protoId) {
  const KpProto* prototype = map.protos ? map.protos->find(protoId) : nullptr;
  return prototype && map.buildTower(*prototype, menu.spotEntry);
}

// The level-ups first, then the tiers. The tower's level-ups start again
// with its new tier, so its level is cleared only once the tier is paid.
void ImproveTower(KpTower& tower, const KpTowerMenu& menu, int itemId) {
  if (tower.prototype && tower.level < tower.prototype->tierUpdates) {
    tower.levelUp();
    return;
  }
  const int tierBefore = tower.tier;
  tower.upgradeTo(itemId, TruncateToInt(menu.priceOf(itemId)));
  if (tower.tier != tierBefore) tower.level = 0;
}

// Every choice closes the menu, but for a build the wallet cannot pay.
void PressOnMenu(KpMap& map, KpTowerMenu& menu, MapPoint at) {
  const int item = menu.itemAt(at.x, at.y);
  switch (menu.kind) {
    case KpTowerMenu::kBuild:
      if (item > 0 && !BuildFromMenu(map, menu, item)) return;
      break;
    case KpTowerMenu::kBuySpot:
      // Short of money or gems, nothing is bought.
      if (item > 0) map.buySpot(menu.spotEntry);
      break;
    case KpTowerMenu::kTower:
    case KpTowerMenu::kLevelUp:
      if (item == KpTowerMenu::kSellId)
        map.sellTower(menu.tower);
      else if (item > 0 && menu.tower)
        ImproveTower(*menu.tower, menu, item);
      break;
    default:
      break;
  }
  menu.close();
}

bool PickUpGem(KpMap& map, MapPoint at) {
  KpSprite* gem = FindPickupAt(map.gemPickups, static_cast<float>(at.x), static_cast<float>(at.y));
  if (!gem) return false;
  map.wallet->addGems(1);
  gem->state = KpSprite::kPickupCollected;
  return true;
}

// The spots a tutorial points at are named "#" and a number.
bool TutorialAllows(const KpMap& map, const KpFrameEntry& spot) {
  if (map.tutorialSpot == -1) return true;
  return spot.name == u"#" + base::ToWide(std::to_string(map.tutorialSpot), base::kEncodingUtf8);
}

// A release on the menu's own spot closes it, one on another spot only
// removes it: the new menu needs another release.
void ReleaseOnSpot(KpMap& map, KpFrameEntry& spot) {
  if (KpTowerMenu* menu = ShownMenu(map)) {
    if (menu->spotEntry == &spot)
      menu->close();
    else
      map.towerMenu.reset();
    return;
  }
  if (!TutorialAllows(map, spot)) return;
  map.towerMenu = std::make_unique<KpTowerMenu>();
  if (spot.spot && !spot.spot->open)
    map.towerMenu->openBuySpotMenu(&spot);
  else
    map.towerMenu->openBuildMenu(0, &spot);
  map.towerMenu->centreX = spot.x + spot.width * 0.5f;
  map.towerMenu->centreY = spot.y + spot.height * 0.5f;
}

void ReleaseOnTower(KpMap& map, KpTower& tower) {
  if (KpTowerMenu* menu = ShownMenu(map)) {
    if (menu->tower == &tower)
      menu->close();
    else
      map.towerMenu.reset();
    return;
  }
  map.towerMenu = std::make_unique<KpTowerMenu>();
  map.towerMenu->openTowerMenu(&tower);
  map.towerMenu->centreX = tower.x;
  map.towerMenu->centreY = tower.y;
}

// A press on a hint calls the wave and goes on to pick the enemy under it;
// a press on an open menu answers only the menu.
void PressInPlay(KpMap& map, int x, int y) {
  const MapPoint at = MapPointOf(map, x, y);
  if (map.waveHints && map.waveHints->hitTest(at.x, at.y)) CallNextWave(map, x, y);
  if (KpEnemy* unit = map.waves->enemyAt(static_cast<float>(at.x), static_cast<float>(at.y))) map.selectedUnit = unit;
  if (KpTowerMenu* menu = ShownMenu(map)) PressOnMenu(map, *menu, at);
}

// The first thing under the release takes it: a gem, then a spot, then a
// tower.
void ReleaseInPlay(KpMap& map, int x, int y) {
  const MapPoint at = MapPointOf(map, x, y);
  if (PickUpGem(map, at)) return;
  if (KpFrameEntry* spot = map.mapImages->spotAt(at.x, at.y)) {
    ReleaseOnSpot(map, *spot);
    return;
  }
  if (KpTower* tower = map.towerAt(at.x, at.y)) ReleaseOnTower(map, *tower);
}

}  // namespace

void KpMap::onPress(int x, int y) {
  if (TakesPointer(*this) && PlayingLevel(*this)) PressInPlay(*this, x, y);
}

void KpMap::onClick(int x, int y) {
  if (TakesPointer(*this) && PlayingLevel(*this)) ReleaseInPlay(*this, x, y);
}

// The hover follows the design point, while presses hit the menu at the map
// point.
void KpMap::onMove(int x, int y) {
  if (!TakesPointer(*this)) return;
  if (KpTowerMenu* menu = ShownMenu(*this)) menu->hoverId = menu->itemAt(x, y);
}

KpTower* KpMap::towerAt(int x, int y) const {
  for (KpTower* tower : towers)
    if (Distance2D(tower->x, tower->y, static_cast<float>(x), static_cast<float>(y)) < kTowerHitRadius) return tower;
  return nullptr;
}
