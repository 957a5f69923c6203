#include "Game/TowerAuras.h"

#include "Game/CurveGeometry.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"

namespace {

constexpr float kPercent = 100.0f;

}  // namespace

float AuraReach(const KpTower& tower) {
  const KpProto* proto = tower.getTierProto();
  return proto ? proto->range * 0.5f * tower.spotProperty("radius_mult") : 0.0f;
}

ShowInvisible::ShowInvisible(KpTower* tower) : KpModifier("", 0.0f, kUnlimited, tower) {}

void ShowInvisible::apply(KpEnemy*, float) {
  const KpMap* map = RunningGameMap();
  if (!map || !source) return;
  if (!source->getTierProto()) {
    missing_.report("the revealing tower's prototype is not in the sheets");
    return;
  }
  const float reach = AuraReach(*source);
  for (KpEnemy* unit : LiveEnemies(*map)) {
    if (!(Distance2D(source->x, source->y, unit->x, unit->y) < reach)) continue;
    unit->invisibleTime = 0.0f;
    unit->targetOpacity = 1.0f;
  }
}

GoldIncomerModifier::GoldIncomerModifier(int goldIncome, float runEvery, KpTower* tower)
    : KpModifier("", 0.0f, kUnlimited, tower), income(goldIncome) {
  period = runEvery;
}

void GoldIncomerModifier::apply(KpEnemy*, float) {
  if (source) source->payIncome();
}

MagicTowerBoost::MagicTowerBoost(KpTower* tower) : KpModifier("", 0.0f, kUnlimited, tower) {}

void MagicTowerBoost::apply(KpEnemy*, float) {
  const KpMap* map = RunningGameMap();
  if (!map || !source) return;
  const KpProto* own = source->getTierProto();
  if (!own) {
    missing_.report("the boosting tower's prototype is not in the sheets");
    return;
  }
  const float share = own->speed / kPercent;
  const float reach = AuraReach(*source);
  for (KpTower* tower : map->towers) {
    const KpProto* proto = tower == source ? nullptr : tower->getTierProto();
    if (!proto || proto->boostTower || !tower->bonus) continue;
    if (!(reach >= Distance2D(source->x, source->y, tower->x, tower->y))) continue;
    tower->bonus->strength += proto->strength * share;
    tower->bonus->range += proto->range * share;
    tower->boosted = true;
  }
}
