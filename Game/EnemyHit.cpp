#include <algorithm>
#include <memory>
#include <vector>

#include "Game/AreaModifiers.h"
#include "Game/KpBullet.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/KpWaves.h"
#include "Game/RunningGameMap.h"
#include "Game/UnitModifiers.h"

namespace {

constexpr float kImmunePopupRise = 20.0f;
constexpr float kSplashAreaSize = 100.0f;
constexpr float kFireSplashSize = 64.0f;

bool IsFireAmmo(int ammoId) { return ammoId >= KpBullet::kFireAmmoFirst && ammoId <= KpBullet::kLobbedShellAmmo; }

bool IsImmune(const KpProto* unit, const KpProto& shot) {
  if (!unit) return false;
  return ((unit->ice || unit->stone) && (shot.dot || shot.stun)) || (unit->poisonImmun && shot.hold) ||
         (unit->fireDmgOnly && !IsFireAmmo(shot.ammoId));
}

// The unit keeps the effect unless it already holds one of the same source.
void OfferModifier(KpEnemy& unit, std::unique_ptr<KpModifier> modifier) {
  if (unit.acceptsModifier(*modifier)) unit.modifiers.push_back(modifier.release());
}

}  // namespace

void KpEnemy::takeHit(KpBullet& bullet, bool direct) {
  if (health <= 0.0f) return;
  const KpProto* shot = bullet.tierProto;
  if (!shot) return;
  KpTower* tower = bullet.tower;
  const KpProto* ammo = bullet.ammoProto();
  KpMap* map = RunningGameMap();

  float strength = shot->strength;
  if (tower) strength += (tower->bonus ? tower->bonus->strength : 0.0f) + tower->spotProperty("damage_mult");
  if (!direct) {
    const float r = ammo ? ammo->range : 0.0f;
    const float falloff = r > 0.0f ? (r - Distance2D(shownX, shownY, bullet.x, bullet.y)) / r : 0.0f;
    strength *= std::max(0.0f, falloff);
  }

  if (IsImmune(getBaseProto(), *shot)) {
    if (map && map->popups) map->popups->add(shownX, shownY - kImmunePopupRise, KpPopup::kImmune);
    return;
  }

  if (shot->teleportEnemy) OfferModifier(*this, std::make_unique<HoldAndTeleport>("", 0.0f, 3.0f, tower));
  if (shot->dot) OfferModifier(*this, std::make_unique<DotModifier>("health", 0.5f, 2.0f, 0.9f, tower));
  if (shot->stun) OfferModifier(*this, std::make_unique<StunModifier>("speed", 0.5f, 3.0f, tower));
  if (shot->hold) OfferModifier(*this, std::make_unique<HoldModifier>("speed", 0.5f, 3.0f, tower));
  if (shot->fireSplash && map) {
    auto fire = std::make_unique<FireSplashModifier>("", 1.0f, 10.0f, x, y, kFireSplashSize);
    fire->source = tower;
    map->areaEffects.push_back(fire.release());
  }
  // Only the direct hit splashes, so the units it reaches never splash again.
  if (shot->splash && direct && map) {
    map->areaEffects.push_back(new AreaDamageModifier("", 0.0f, 1.5f, x, y, kSplashAreaSize));
    if (ammo && map->waves) {
      std::vector<KpEnemy*> around;
      map->waves->collectEnemiesInRadius(x, y, ammo->range, around);
      for (KpEnemy* unit : around)
        if (unit != this) unit->takeHit(bullet, false);
    }
  }
  damage(strength);
}
