#include "Game/AbilityModifiers.h"

#include <algorithm>

#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpWaveProto.h"
#include "Game/ShamanPortal.h"

namespace {

// A sprite that moves with an enemy for as long as the enemy is on the map.
class UnitFollowingSprite : public KpAnimatedSprite {
 public:
  UnitFollowingSprite(const base::WString& spriteName, const KpEnemy& unit)
      : KpAnimatedSprite(spriteName), unit_(&unit) {
    x = unit.x;
    y = unit.y;
  }

  void update(float dt) override {
    // The unit is looked up among the live ones, never trusted blindly:
    // it may have left the map since the last frame.
    const KpMap* map = RunningGameMap();
    const bool onMap = unit_ && map && std::ranges::find(LiveEnemies(*map), unit_) != LiveEnemies(*map).end();
    if (onMap) {
      x = unit_->x;
      y = unit_->y;
    } else {
      unit_ = nullptr;
    }
    KpAnimatedSprite::update(dt);
  }

 private:
  const KpEnemy* unit_;
};

}  // namespace

EnemyAbility::EnemyAbility(std::string name, float value, float duration, KpTower* source)
    : KpModifier(std::move(name), value, duration, source) {
  ability = true;
}

float EnemyAbility::reachOf(const KpEnemy& owner) {
  if (const KpProto* proto = owner.getTierProto()) return proto->range;
  missing_.report("the enemy's prototype is not in the sheets");
  return 0.0f;
}

void HasteAreaModifier::apply(KpEnemy* unit, float) {
  const KpMap* map = RunningGameMap();
  if (!unit || !map || IsDead(*unit)) return;
  const float reach = reachOf(*unit);
  for (KpEnemy* other : LiveEnemies(*map)) {
    if (other == unit || !(DistanceBetween(*unit, *other) < reach)) continue;
    other->targetSpeedFactor = kHasteFactor;
    other->hasteTime = kHasteSeconds;
  }
}

void HealerModifier::apply(KpEnemy* unit, float) {
  KpMap* map = RunningGameMap();
  if (!unit || !map || unit->speedReduction != 0.0f || IsDead(*unit)) return;
  const float reach = reachOf(*unit);
  bool healed = false;
  for (KpEnemy* other : LiveEnemies(*map)) {
    if (other == unit || IsDead(*other) || !(DistanceBetween(*unit, *other) < reach)) continue;
    if (!HealTenth(*other)) continue;
    healed = true;
    map->effectSprites.push_back(new UnitFollowingSprite(u"kp/mob_heal", *other));
  }
  if (!healed) return;
  unit->state = KpEnemy::kSpecial;
  unit->animationTime = 0.0f;
}

void InvisibleAreaModifier::apply(KpEnemy* unit, float) {
  const KpMap* map = RunningGameMap();
  if (!unit || !map || IsDead(*unit)) return;
  const float reach = reachOf(*unit);
  for (KpEnemy* other : LiveEnemies(*map)) {
    if (other == unit || !(DistanceBetween(*unit, *other) < reach)) continue;
    other->invisibleTime = kInvisibleSeconds;
    other->targetOpacity = kInvisibleOpacity;
  }
}

// A tick beyond any cooldown makes the first update act.
InvisibleModifier::InvisibleModifier(std::string name, float value, float duration, KpTower* source)
    : EnemyAbility(std::move(name), value, duration, source) {
  tick = 100.0f;
}

void InvisibleModifier::apply(KpEnemy* unit, float) {
  if (!unit || IsDead(*unit)) return;
  unit->invisibleTime = kInvisibleSeconds;
  unit->targetOpacity = kInvisibleOpacity;
}

void RegenModifier::apply(KpEnemy* unit, float) {
  if (!unit || unit->speedReduction != 0.0f || IsDead(*unit)) return;
  HealTenth(*unit);
}

void ShamanModifier::apply(KpEnemy* unit, float) {
  KpMap* map = RunningGameMap();
  if (!unit || !map || !map->protos || unit->speedReduction != 0.0f || IsDead(*unit)) return;
  const KpProto* proto = unit->getTierProto();
  const KpProto* ammo = proto ? map->protos->find(proto->ammoId) : nullptr;
  if (!ammo) {
    missing_.report("the summoner's prototype or its \"ammoid\" prototype is not in the sheets");
    return;
  }
  // A portal without a positive life and period would summon without end.
  if (!(proto->cooldown > 0.0f) || !(ammo->speed > 0.0f)) {
    missing_.report("the summoner's cooldown or its portal's speed is not above 0");
    return;
  }
  if (!unit->entry || !unit->entry->wave) {
    missing_.report("the summoner belongs to no wave");
    return;
  }
  unit->state = KpEnemy::kSpecial;
  unit->animationTime = 0.0f;
  map->areaEffects.push_back(new ShamanPortal(*map, *unit, *ammo, proto->cooldown));
}
