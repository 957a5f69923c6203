#include "Game/ProtoTiers.h"

#include "Game/KpProtoLibrary.h"

namespace {

const KpProto* TierWithLevelId(const KpProto& base, int levelId) {
  for (const std::unique_ptr<KpProto>& tier : base.children.list)
    if (tier->levelId == levelId) return tier.get();
  return nullptr;
}

}  // namespace

const KpProto* TierOrLast(const KpProto& base, int tier) {
  if (tier == 0 || base.children.list.empty()) return &base;
  if (const KpProto* match = TierWithLevelId(base, tier)) return match;
  return base.children.list.back().get();
}

const KpProto* EnemyTierProto(const KpProtoLibrary& library, int unitId, int entryUpgrade) {
  const KpProto* base = library.find(unitId);
  return base ? TierOrLast(*base, entryUpgrade - 1) : nullptr;
}

const KpProto* TowerTierProto(const KpProtoLibrary& library, int towerProtoId, int k, int currentTierId) {
  const KpProto* base = library.find(towerProtoId);
  if (!base) return nullptr;
  return k == -1 ? TierOrLast(*base, currentTierId) : TierWithLevelId(*base, k);
}
