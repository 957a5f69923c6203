#include <functional>

#include "Game/CurveGeometry.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/ModifierWorld.h"

namespace {

// The first enemy whose current prototype has the ability and that is not
// held still stands within the share of its r from the tower. A boost spell
// keeps every such enemy off.
bool IsNearTowerWith(const KpMap& map, const KpTower& tower, bool KpProto::*ability, float shareOfReach) {
  if (tower.spellBoosts > 0) return false;
  for (const KpEnemy* unit : LiveEnemies(map)) {
    const KpProto* proto = unit->getTierProto();
    if (!proto || !(proto->*ability) || unit->speedReduction == proto->speed) continue;
    if (Distance2D(tower.x, tower.y, unit->shownX, unit->shownY) <= proto->range * shareOfReach) return true;
  }
  return false;
}

}  // namespace

bool KpMap::isTowerDisabled(const KpTower& tower) const { return IsNearTowerWith(*this, tower, &KpProto::blockTower, 0.5f); }

bool KpMap::isTowerDebuffed(const KpTower& tower) const {
  return IsNearTowerWith(*this, tower, &KpProto::debuffTower, 1.0f);
}
