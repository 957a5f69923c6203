#include "Game/UpgradeDef.h"

#include <algorithm>

#include "Game/UpgradeSources.h"

const UpgradeStep* UpgradeDef::getStep(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= steps.size()) return nullptr;
  return steps[static_cast<std::size_t>(index)].get();
}

const UpgradeStep* UpgradeDef::boughtStep(UpgradeLevelSource& levels) const { return getStep(levels.getUpgradeLevel(id)); }

bool UpgradeDef::isUnlocked(bool byProgress, TowerUnlocks& unlocks) const {
  return std::any_of(targets.begin(), targets.end(), [&](int target) {
    if (target == kMapWide) return true;
    return byProgress ? unlocks.isUnlockedByProgress(target) : unlocks.isTowerUnlocked(target);
  });
}

bool UpgradeDef::targetsProto(int protoId) const {
  return std::find(targets.begin(), targets.end(), protoId) != targets.end();
}
