// The player's tower commands of a level run: what they may choose and at
// what price is what the tower menu offers there.

#include <algorithm>
#include <memory>
#include <vector>

#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSpot.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "tests/Support/LevelRun.h"

namespace testing_support {

namespace {

std::unique_ptr<KpTowerMenu> BuildMenu(KpFrameEntry* spotImage) {
  auto menu = std::make_unique<KpTowerMenu>();
  menu->openBuildMenu(0, spotImage);
  return menu;
}

std::unique_ptr<KpTowerMenu> TowerMenu(KpTower& tower) {
  auto menu = std::make_unique<KpTowerMenu>();
  menu->openTowerMenu(&tower);
  return menu;
}

const KpMenuItem* ItemWithId(const KpTowerMenu& menu, int id) {
  const auto found = std::find_if(menu.items.begin(), menu.items.end(),
                                  [id](const std::unique_ptr<KpMenuItem>& item) { return item->id == id; });
  return found == menu.items.end() ? nullptr : found->get();
}

// The upgrade items name their tier by its level id; the run's commands by
// its prototype id.
const KpMenuItem* TierItem(const KpTowerMenu& menu, int tierId) {
  if (menu.kind != KpTowerMenu::kTower) return nullptr;
  const auto found =
      std::find_if(menu.items.begin(), menu.items.end(), [tierId](const std::unique_ptr<KpMenuItem>& item) {
        return item->proto && item->proto->id == tierId;
      });
  return found == menu.items.end() ? nullptr : found->get();
}

}  // namespace

KpFrameEntry* LevelRun::spotImage(int spot) const {
  if (!map_.mapImages) return nullptr;
  const std::vector<KpFrameEntry*>& spots = map_.mapImages->spotFrames();
  return spot >= 0 && spot < static_cast<int>(spots.size()) ? spots[spot] : nullptr;
}

KpTower* LevelRun::towerOn(int spot) const {
  const KpFrameEntry* image = spotImage(spot);
  if (!image) return nullptr;
  const auto found = std::find_if(map_.towers.begin(), map_.towers.end(),
                                  [image](const KpTower* tower) { return tower->spot == image; });
  return found == map_.towers.end() ? nullptr : *found;
}

float LevelRun::buildPrice(int towerId) const {
  const std::unique_ptr<KpTowerMenu> menu = BuildMenu(nullptr);
  const KpMenuItem* item = ItemWithId(*menu, towerId);
  return item ? item->price : 0.0f;
}

KpTower* LevelRun::build(int spot, int towerId) {
  KpFrameEntry* image = spotImage(spot);
  if (!image || !image->visible || !image->spot->open) return nullptr;
  if (!ItemWithId(*BuildMenu(image), towerId)) return nullptr;
  return map_.buildTower(*map_.protos->find(towerId), image);
}

float LevelRun::upgradePrice(int spot, int tierId) const {
  KpTower* tower = towerOn(spot);
  if (!tower) return 0.0f;
  const std::unique_ptr<KpTowerMenu> menu = TowerMenu(*tower);
  const KpMenuItem* item = TierItem(*menu, tierId);
  return item ? item->price : 0.0f;
}

bool LevelRun::upgrade(int spot, int tierId) {
  KpTower* tower = towerOn(spot);
  if (!tower) return false;
  const std::unique_ptr<KpTowerMenu> menu = TowerMenu(*tower);
  const KpMenuItem* item = TierItem(*menu, tierId);
  if (!item) return false;
  // The level-ups start again with the new tier, so they are cleared only
  // once the tier is paid, as the map's menu does.
  tower->upgradeTo(item->id, static_cast<int>(menu->priceOf(item->id)));
  if (tower->tier != item->id) return false;
  tower->level = 0;
  return true;
}

bool LevelRun::sell(int spot) {
  KpTower* tower = towerOn(spot);
  if (!tower) return false;
  tower->spot->visible = true;
  map_.sellTower(tower);
  return true;
}

int LevelRun::spotPrice(int spot) const {
  const KpFrameEntry* image = spotImage(spot);
  return image && !image->spot->open ? image->spot->costGold : 0;
}

bool LevelRun::buySpot(int spot) { return map_.buySpot(spotImage(spot)); }

}  // namespace testing_support
