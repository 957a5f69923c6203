// What a new tower menu offers: the towers for a free spot, the price of a
// locked spot, or the choices for a standing tower.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSpot.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpUnlockTable.h"
#include "Game/PlayerProfile.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteDef.h"
#include "Game/UpgradeChainCost.h"
#include "Game/UpgradeList.h"

namespace {

constexpr int kBuildableTowerType = 1;
constexpr int kBuySpotId = 1;
constexpr int kLevelUpId = 1;
constexpr float kBuySpotAngle = 90.0f;
constexpr float kBuildArcStart = 90.0f;
constexpr float kBuildArcEnd = 270.0f;
constexpr float kTowerArcStart = 0.0f;
constexpr float kTowerArcEnd = 360.0f;

// The map with the tables the prices need; null without a running game.
KpMap* PricingMap() {
  KpMap* map = RunningGameMap();
  if (!map || !map->protos || !map->upgrades || !map->profile || !map->unlockTable) return nullptr;
  return map;
}

render::Image* SpriteImage(const KpProto& proto) { return proto.sprite ? proto.sprite->image() : nullptr; }

// "$120; #2": the money and gem prices of a spot, each left out when 0.
std::string SpotPriceText(const KpSpot& spot) {
  std::string text;
  if (spot.costGold != 0) text = "$" + std::to_string(spot.costGold);
  if (spot.costReal != 0) {
    if (!text.empty()) text += "; ";
    text += "#" + std::to_string(spot.costReal);
  }
  return text;
}

const KpProto* WithLevelId(const std::vector<const KpProto*>& tiers, int levelId) {
  for (const KpProto* tier : tiers)
    if (tier->levelId == levelId) return tier;
  return nullptr;
}

}  // namespace

void KpTowerMenu::openBuildMenu(int /*spotIndex*/, KpFrameEntry* spotImage) {
  kind = kBuild;
  spotEntry = spotImage;
  arcStart = kBuildArcStart;
  arcEnd = kBuildArcEnd;
  radius = kRadius;
  KpMap* map = PricingMap();
  if (!map) return;
  int slot = 1;
  for (const std::unique_ptr<KpProto>& proto : map->protos->protos()) {
    if (proto->type != kBuildableTowerType || !map->unlockTable->isTowerUnlocked(proto->id)) continue;
    std::unique_ptr<KpProto> copy = map->upgradedProto(proto->id);
    if (!copy) continue;
    KpMenuItem* item = addItem(slot++, proto->id);
    item->icon = SpriteImage(*proto);
    item->price = copy->cost;
    item->proto = std::move(copy);
  }
}

void KpTowerMenu::openBuySpotMenu(KpFrameEntry* spotImage) {
  kind = kBuySpot;
  spotEntry = spotImage;
  KpMenuItem* item = addItem(1, kBuySpotId);
  item->angle = kBuySpotAngle;
  if (spotImage && spotImage->spot) item->priceText = SpotPriceText(*spotImage->spot);
}

// A tier after the next one costs the tiers between as well, at the prices
// the menu shows for them.
void KpTowerMenu::openTowerMenu(KpTower* menuTower) {
  kind = kTower;
  tower = menuTower;
  arcStart = kTowerArcStart;
  arcEnd = kTowerArcEnd;
  if (!tower) return;
  spotEntry = tower->spot;
  addItem(0, kSellId);
  const KpProto* base = tower->prototype;
  if (!base) return;
  if (tower->level < base->tierUpdates) {
    kind = kLevelUp;
    KpMenuItem* item = addItem(1, kLevelUpId);
    item->proto = std::make_unique<KpProto>();
    item->proto->copyFrom(*base);
    return;
  }
  KpMap* map = PricingMap();
  if (!map) return;
  std::vector<std::unique_ptr<KpProto>> copies;
  std::vector<const KpProto*> offered;
  std::vector<const KpProto*> sources;
  for (const std::unique_ptr<KpProto>& child : base->children.list) {
    if (child->require < tower->tier || !map->unlockTable->isTowerUnlocked(child->id)) continue;
    std::unique_ptr<KpProto> copy = map->upgradedProto(child->id);
    if (!copy) continue;
    offered.push_back(copy.get());
    sources.push_back(child.get());
    copies.push_back(std::move(copy));
  }
  for (std::size_t i = 0; i < copies.size(); ++i) {
    std::unique_ptr<KpProto>& copy = copies[i];
    KpMenuItem* item = addItem(static_cast<int>(i) + 1, copy->levelId);
    item->icon = SpriteImage(*sources[i]);
    item->price = copy->cost;
    if (copy->require != tower->tier)
      item->price += std::trunc(UpgradeChainCost(tower->tier, offered, WithLevelId(offered, copy->require)));
    item->proto = std::move(copy);
  }
}
