#include "Game/UpgradedTowerProto.h"

#include "Game/KpProtoLibrary.h"
#include "Game/UpgradeList.h"

std::unique_ptr<KpProto> CreateUpgradedTowerProto(const KpProtoLibrary& library, const UpgradeList& upgrades,
                                                  UpgradeLevelSource& levels, TowerUnlocks& unlocks, int id) {
  const KpProto* original = library.find(id);
  if (!original) return nullptr;
  auto copy = std::make_unique<KpProto>();
  copy->copyFrom(*original);
  upgrades.applyToProto(*copy, levels, unlocks);
  return copy;
}
