// The player's tower commands of a level run, offered and priced as the
// tower menu offers and prices them.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpUnlockTable.h"
#include "Game/PlayerProfile.h"
#include "Game/UpgradeChainCost.h"
#include "Game/UpgradedTowerProto.h"
#include "tests/Support/LevelRun.h"

namespace testing_support {

namespace {

constexpr int kBuildMenuType = 1;

std::unique_ptr<KpProto> UpgradedCopy(KpMap& map, int id) {
  return CreateUpgradedTowerProto(*map.protos, *map.upgrades, *map.profile, *map.unlockTable, id);
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

// The build menu lists the library's top-level towers, not their tiers.
float LevelRun::buildPrice(int towerId) const {
  const auto& protos = map_.protos->protos();
  const bool listed = std::any_of(protos.begin(), protos.end(), [towerId](const std::unique_ptr<KpProto>& proto) {
    return proto->id == towerId && proto->type == kBuildMenuType;
  });
  if (!listed || !map_.unlockTable->isTowerUnlocked(towerId)) return 0.0f;
  return UpgradedCopy(map_, towerId)->cost;
}

KpTower* LevelRun::build(int spot, int towerId) {
  KpFrameEntry* image = spotImage(spot);
  if (!image || !image->visible || !image->spot->open || buildPrice(towerId) <= 0.0f) return nullptr;
  return map_.buildTower(*map_.protos->find(towerId), image);
}

// A tier the tower menu lists: one of the base prototype's, at or above the
// tower's tier, unlocked.
const KpProto* LevelRun::offeredTier(const KpTower& tower, int tierId) const {
  if (!tower.prototype || tower.level < tower.prototype->tierUpdates) return nullptr;
  for (const auto& tier : tower.prototype->children.list)
    if (tier->id == tierId && tier->require >= tower.tier && map_.unlockTable->isTowerUnlocked(tier->id))
      return tier.get();
  return nullptr;
}

// A tier that does not follow the tower's own costs the tiers between too.
float LevelRun::upgradePrice(int spot, int tierId) const {
  const KpTower* tower = towerOn(spot);
  const KpProto* tier = tower ? offeredTier(*tower, tierId) : nullptr;
  const std::unique_ptr<KpProto> copy = tier ? UpgradedCopy(map_, tier->id) : nullptr;
  if (!copy) return 0.0f;
  const float cost = copy->cost;
  if (tier->require == tower->tier) return cost;
  std::vector<std::unique_ptr<KpProto>> copies;
  std::vector<const KpProto*> offered;
  const KpProto* before = nullptr;
  for (const auto& child : tower->prototype->children.list) {
    if (!offeredTier(*tower, child->id)) continue;
    copies.push_back(UpgradedCopy(map_, child->id));
    if (!copies.back()) continue;
    offered.push_back(copies.back().get());
    if (child->levelId == tier->require) before = copies.back().get();
  }
  return std::trunc(UpgradeChainCost(tower->tier, offered, before)) + cost;
}

bool LevelRun::upgrade(int spot, int tierId) {
  KpTower* tower = towerOn(spot);
  const KpProto* tier = tower ? offeredTier(*tower, tierId) : nullptr;
  if (!tier) return false;
  tower->level = 0;
  tower->upgradeTo(tier->levelId, static_cast<int>(upgradePrice(spot, tierId)));
  return tower->tier == tier->levelId;
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
