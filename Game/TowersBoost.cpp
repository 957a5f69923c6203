#include "Game/TowersBoost.h"

#include <algorithm>

#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpUnlockTable.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/UpgradeList.h"

namespace {

constexpr float kHammerLift = 50.0f;

}  // namespace

TowersBoost::TowersBoost(float duration, float value) : KpModifier("", value, duration, nullptr) {}

// Only the towers still on the map are touched: a tower that went without
// telling the boost is not there any more.
TowersBoost::~TowersBoost() {
  const KpMap* map = RunningGameMap();
  if (!map) return;
  for (KpTower* tower : map->towers) {
    if (holds(tower)) tower->spellBoosts = std::max(tower->spellBoosts - 1, 0);
  }
}

bool TowersBoost::holds(const KpTower* tower) const {
  return std::ranges::any_of(boosted_, [tower](const Boosted& boosted) { return boosted.tower == tower; });
}

void TowersBoost::update(KpEnemy* unit, float dt) {
  for (const Boosted& boosted : boosted_) boosted.hammer->update(dt);
  KpModifier::update(unit, dt);
}

void TowersBoost::apply(KpEnemy*, float) {
  KpMap* map = RunningGameMap();
  if (!map) return;
  for (KpTower* tower : map->towers) {
    const KpProto* proto = tower->getTierProto();
    if (proto && tower->bonus) {
      tower->bonus->strength += proto->strength * value;
      tower->bonus->range += proto->range * value;
    }
    if (holds(tower)) continue;
    ++tower->spellBoosts;
    auto hammer = std::make_unique<HeldParticleEffect>();
    hammer->start(*map, "hammer", tower->x, tower->y - kHammerLift);
    if (ParticleEffect* effect = hammer->effect()) effect->speed = hammerSpeed(*map);
    boosted_.push_back({tower, std::move(hammer)});
  }
}

void TowersBoost::onSourceRemoved(KpTower* tower) {
  KpModifier::onSourceRemoved(tower);
  std::erase_if(boosted_, [tower](const Boosted& boosted) { return boosted.tower == tower; });
}

// The hammer keeps time with the tower whose upgrades make it strike faster.
float TowersBoost::hammerSpeed(KpMap& map) {
  const KpProto* base = map.protos ? map.protos->find(kHammerSpeedTower) : nullptr;
  const std::unique_ptr<KpProto> upgraded = base ? map.upgradedProto(kHammerSpeedTower) : nullptr;
  if (!upgraded || upgraded->speed == 0.0f) {
    missing_.report("the hammer's tower prototype 3004 is not in the sheets or has no speed");
    return 1.0f;
  }
  return base->speed / upgraded->speed;
}
