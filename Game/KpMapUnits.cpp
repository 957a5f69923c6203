#include <algorithm>

#include "Core/Base/LogMessage.h"
#include "Core/Base/MathRandom.h"
#include "Core/Sound/SoundSystem.h"
#include "Core/Sound/SoundTags.h"
#include "Game/AbilityModifiers.h"
#include "Game/HeldParticleEffect.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFeatureConfig.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpParticle.h"
#include "Game/KpPoint.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"

namespace {

constexpr int kPassengerUnitId = 11;
// Passengers leave a carrier spread over this share of its link, just behind
// it.
constexpr float kPassengerSpacing = 0.1f;
constexpr float kLastPassengerStart = 0.85f;

template <class Ability>
void AddAbility(KpEnemy& unit, float period) {
  auto* ability = new Ability("", 0.0f, KpModifier::kUnlimited, nullptr);
  ability->period = period;
  unit.modifiers.push_back(ability);
}

// The unit's abilities, each unlimited and run once per cooldown; a shaman's
// first portal opens at a time of its own, so that shamans of one wave do
// not summon together.
void AddAbilities(KpEnemy& unit, const KpProto& proto) {
  if (proto.hasteBuff) AddAbility<HasteAreaModifier>(unit, proto.cooldown);
  if (proto.invisibleArea) AddAbility<InvisibleAreaModifier>(unit, proto.cooldown);
  if (proto.invisible) AddAbility<InvisibleModifier>(unit, proto.cooldown);
  if (proto.regen) AddAbility<RegenModifier>(unit, proto.cooldown);
  if (proto.healer) AddAbility<HealerModifier>(unit, proto.cooldown);
  if (proto.summon) AddAbility<ShamanModifier>(unit, proto.cooldown * (1.0f + math::Random(0)));
}

bool LowLifeDialogActive() {
  static const bool active = KpFeatureConfig::instance().getBool("low_life_dialog", "is_active");
  return active;
}

}  // namespace

KpEnemy* KpMap::spawnUnit(KpWaveEntry* entry, const KpPoint* spawnPoint) {
  KpEnemy* unit = waves->addEnemy(entry, spawnPoint);
  const KpProto* proto = unit->getTierProto();
  // A unit without its prototype leaves play at its first update.
  if (!proto) return unit;
  AddAbilities(*unit, *proto);
  const KpPoint* goal = findGoalPoint();
  if (!spawnPoint || !goal) {
    QL_LOG(u"A unit %d spawns without a spawn point or a goal; it leaves play\n").AddArg(proto->id);
    return unit;
  }
  if (proto->straight) {
    unit->route = {spawnPoint->id, goal->id};
    unit->x = unit->shownX = spawnPoint->x;
    unit->y = unit->shownY = spawnPoint->y;
    return unit;
  }
  unit->route = findPath(*spawnPoint, *goal);
  if (unit->route.size() < 2) {
    QL_LOG(u"No route leads from point %d to the goal; its unit %d leaves play\n")
        .AddArg(spawnPoint->id)
        .AddArg(proto->id);
    return unit;
  }
  unit->linkLength = linkLength(CurrentLinkOf(*unit, *this));
  unit->updateUpperLevel();
  return unit;
}

void KpMap::spawnSummoned(KpEnemy& carrier, int count) {
  KpWaveProto* wave = carrier.entry ? carrier.entry->wave : nullptr;
  if (!wave) return;
  const KpPoint* at = UnitRoutePoint(carrier, *this, 0);
  const float firstStart = std::clamp(carrier.linkPosition - kPassengerSpacing, 0.0f, kLastPassengerStart);
  for (int n = 0; n < count; ++n) {
    auto* entry = new KpWaveEntry(wave);
    entry->unitId = kPassengerUnitId;
    entry->upgrade = carrier.tier + 1;
    entry->x = KpWaveEntry::kMadeAtRunTime;
    entry->y = carrier.entry->y;
    entry->spawned = true;
    wave->entries.push_back(entry);
    KpEnemy* passenger = spawnUnit(entry, at);
    passenger->route = carrier.route;
    passenger->routeIndex = carrier.routeIndex;
    passenger->spawnPoint = carrier.spawnPoint;
    passenger->linkLength = carrier.linkLength;
    passenger->linkTime = carrier.linkTime;
    passenger->x = passenger->shownX = carrier.x;
    passenger->y = passenger->shownY = carrier.y;
    passenger->linkPosition = firstStart + kPassengerSpacing * static_cast<float>(n);
  }
}

float KpMap::getDifficultyHealthFactor() const {
  switch (difficultyMode) {
    case 0:
      return -0.1f;
    case 2:
      return 0.1f;
    default:
      return 0.0f;
  }
}

void KpMap::onUnitReachedBase(KpEnemy* unit) {
  // A unit costs life once, however often it is found at the goal.
  if (!unit || unit->reachedBase) return;
  const KpProto* proto = protos && unit->entry ? protos->find(unit->entry->unitId) : nullptr;
  const float damage = proto ? proto->strength : 0.0f;
  unit->inPlay = 0;
  unit->reachedBase = true;
  if (unit->entry) unit->entry->setState(KpWaveEntry::kEscaped);
  StartHitEffect(*this, "damage_h", unit->x, unit->y);
  if (wallet) {
    wallet->leakedCount = AddClamped(wallet->leakedCount, 1);
    wallet->leakDamage = AddClamped(wallet->leakDamage, TruncateToInt(damage));
  }
  // A level already out of life, lost or waiting on the offer, loses no more.
  if (life == 0.0f) return;
  life -= damage;
  if (life > 0.0f) return;
  life = 0.0f;
  if (LowLifeDialogActive())
    offerHealth();
  else
    levelLost();
}

void KpMap::offerHealth() {
  gameSpeed = 0.0f;
  screenState = kScreenLowLifeOffer;
}

void KpMap::onUnitRemoved(KpEnemy* unit) {
  if (selectedUnit == unit) selectedUnit = nullptr;
  if (bullets) bullets->forgetEnemy(unit);
  for (KpTower* tower : towers)
    if (tower->target == unit) tower->clearTarget();
  for (KpParticle* particle : particles)
    if (auto* beam = dynamic_cast<KpBeamParticle*>(particle); beam && beam->target == unit) beam->target = nullptr;
}

void KpMap::levelLost() {
  gameSpeed = 0.0f;
  levelResultCode = kLevelResultLost;
  // The gems still lying on the map are the player's all the same.
  const auto lying = std::count_if(gemPickups.begin(), gemPickups.end(),
                                   [](const KpSprite* gem) { return gem->state != KpSprite::kPickupCollected; });
  if (wallet) wallet->addGems(static_cast<int>(lying));
  DeleteAllPointersAndFree(gemPickups);
  screenState = kScreenLevelLost;
  if (SoundSystem* sound = SoundSystem::Existing()) sound->PlayMusic("");
  if (w4::SoundTags* tags = w4::SoundTags::Instance()) tags->Play(u"loseSound");
}
