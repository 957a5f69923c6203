#include <algorithm>
#include <memory>
#include <vector>

#include "Core/Base/LogMessage.h"
#include "Game/AmmoEffects.h"
#include "Game/AreaModifiers.h"
#include "Game/KpBullet.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWaves.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteDef.h"
#include "Game/TowersBoost.h"
#include "Game/UnitModifiers.h"

namespace {

// The two later sprites of a spell land around its point.
constexpr float kRingOuter = 50.0f;
constexpr float kRingInner = 25.0f;
constexpr float kSecondSpriteDelay = 0.5f;
constexpr float kThirdSpriteDelay = 0.75f;

void LogMissingSpell(int id) {
  QL_LOG(u"The spell prototype %d does not exist; the spell ends\n").AddArg(id);
}

void AddSpellSprite(KpMap& map, const base::WString& name, float x, float y, float delay) {
  auto sprite = std::make_unique<KpAnimatedSprite>(name);
  sprite->x = x;
  sprite->y = y;
  sprite->delay = delay;
  map.effectSprites.push_back(sprite.release());
}

void StartSpellEffect(KpMap& map, const KpProto& spell, const KpProto* libraryProto, float x, float y) {
  std::unique_ptr<ParticleEffect> effect = StartAmmoEffect(spell.onAmmo, x, y);
  if (!effect) return;
  // The effect plays over the spell's upgraded duration.
  if (libraryProto && spell.speed > 0.0f) effect->speed = libraryProto->speed / spell.speed;
  map.hitEmitters.push_back(effect.release());
}

}  // namespace

KpSpell::KpSpell(int prototypeId) : KpBullet(nullptr, nullptr), prototypeId(prototypeId) { alive = 1; }

void KpSpell::cast() {
  KpMap* map = RunningGameMap();
  if (!map) return;
  const std::unique_ptr<KpProto> spell = map->upgradedProto(prototypeId);
  if (!spell) {
    LogMissingSpell(prototypeId);
    alive = 0;
    return;
  }
  if (spell->fireSplash) {
    map->areaEffects.push_back(new FireSplashModifier("", spell->strength, spell->speed, x, y, spell->range));
  }
  if (spell->splash && map->waves) {
    std::vector<KpEnemy*> struck;
    map->waves->collectEnemiesInRadius(x, y, spell->range, struck);
    for (KpEnemy* unit : struck) {
      unit->damage(spell->strength);
      hitList.push_back(unit);
    }
  }
  if (spell->hold) map->areaEffects.push_back(new MapImpassableArea(spell->speed, x, y, spell->range));
  if (spell->dot) map->areaEffects.push_back(new DotModifierArea(x, y, spell->range, spell->strength, spell->speed));
  if (spell->boostTower) map->areaEffects.push_back(new TowersBoost(spell->speed, spell->strength / 100.0f));
  if (!spell->onAmmo.empty()) StartSpellEffect(*map, *spell, map->protos->find(prototypeId), x, y);
  if (spell->sprite && spell->sprite->fromLayout()) {
    const base::WString name = spell->sprite->name();
    AddSpellSprite(*map, name, x, y, 0.0f);
    CurvePoint around;
    RandomPointInRing(around, x, y, kRingOuter, kRingInner);
    AddSpellSprite(*map, name, around.x, around.y, kSecondSpriteDelay);
    RandomPointInRing(around, x, y, kRingOuter, kRingInner);
    AddSpellSprite(*map, name, around.x, around.y, kThirdSpriteDelay);
  }
}

// The lingering area works from the library's prototype, not the upgraded
// one the cast used.
void KpSpell::update(float dt) {
  if (!alive) return;
  animationTime += dt;
  KpMap* map = RunningGameMap();
  const KpProto* spell = map && map->protos ? map->protos->find(prototypeId) : nullptr;
  if (!spell) {
    LogMissingSpell(prototypeId);
    alive = 0;
    return;
  }
  alive = animationTime < spell->speed ? 1 : 0;
  if (!alive || !map->waves) return;
  std::vector<KpEnemy*> inside;
  map->waves->collectEnemiesInRadius(x, y, spell->range, inside);
  for (KpEnemy* unit : inside) {
    if (std::find(hitList.begin(), hitList.end(), unit) != hitList.end()) continue;
    unit->health -= spell->strength;
    if (spell->stun) unit->modifiers.push_back(new StunModifier("", 0.0f, spell->speed, nullptr));
    hitList.push_back(unit);
  }
}
