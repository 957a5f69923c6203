#include "Game/AreaModifiers.h"

#include <memory>

#include "Game/HeldParticleEffect.h"
#include "Game/KpBullet.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/UnitModifiers.h"

namespace {

constexpr float kOncePerSecond = 1.0f;

}  // namespace

AreaModifier::AreaModifier(std::string name, float value, float duration, float centreX, float centreY, float size)
    : KpModifier(std::move(name), value, duration, nullptr) {
  x = centreX;
  y = centreY;
  radius = size;
}

std::vector<KpEnemy*> AreaModifier::enemiesInside(const KpMap& map) const { return EnemiesWithin(map, x, y, radius); }

BlastModifier::BlastModifier(const KpBullet& bullet) : AreaModifier("", 0.0f, 0.0f, bullet.x, bullet.y, 0.0f) {
  KpMap* map = RunningGameMap();
  const KpProto* ammo = bullet.ammoProto();
  const KpProto* firing = bullet.tower ? bullet.tower->getTierProto() : bullet.tierProto;
  if (!map || !ammo || !firing) {
    MissingDataNote().report("the bursting shot's tower or ammunition prototype is not in the sheets");
    return;
  }
  radius = ammo->range;
  for (KpEnemy* unit : enemiesInside(*map)) unit->damage(firing->strength);
  if (!ammo->onHit.empty()) StartHitEffect(*map, ammo->onHit, x, y);
}

AreaDamageModifier::AreaDamageModifier(std::string name, float value, float duration, float centreX, float centreY,
                                       float size)
    : AreaModifier(std::move(name), value, duration, centreX, centreY, size) {
  kind = kAreaDamageKind;
}

FireSplashModifier::FireSplashModifier(std::string name, float value, float duration, float centreX, float centreY,
                                       float size)
    : AreaModifier(std::move(name), value, duration, centreX, centreY, size) {
  period = kOncePerSecond;
}

void FireSplashModifier::apply(KpEnemy*, float) {
  const KpMap* map = RunningGameMap();
  if (!map) return;
  for (KpEnemy* unit : enemiesInside(*map)) unit->damage(value);
}

DotModifierArea::DotModifierArea(float centreX, float centreY, float size, float value, float duration)
    : AreaModifier("", value, duration, centreX, centreY, size) {}

void DotModifierArea::apply(KpEnemy*, float) {
  const KpMap* map = RunningGameMap();
  if (!map) return;
  for (KpEnemy* unit : enemiesInside(*map)) {
    auto poison = std::make_unique<DotModifier>("", value, duration, kOncePerSecond, nullptr);
    if (unit->acceptsModifier(*poison)) unit->modifiers.push_back(poison.release());
  }
}

MapImpassableArea::MapImpassableArea(float duration, float centreX, float centreY, float size)
    : AreaModifier("", 0.0f, duration, centreX, centreY, size) {}

void MapImpassableArea::apply(KpEnemy*, float) {
  const KpMap* map = RunningGameMap();
  if (!map) return;
  for (KpEnemy* unit : enemiesInside(*map)) unit->speedReduction = BaseSpeedOf(*unit, missing_);
}
