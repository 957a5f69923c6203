#include "Game/KpTower.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "Core/Base/LogMessage.h"
#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Core/Sound/SoundTags.h"
#include "Game/KpBullet.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpParticle.h"
#include "Game/KpPickups.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ProtoTiers.h"
#include "Game/SpriteExtent.h"
#include "Game/TowerAnimation.h"
#include "Game/TowerAuras.h"
#include "Game/RunningGameMap.h"
#include "Game/UpgradeList.h"
#include "Game/PlayerProfile.h"

namespace {

// The unit carries an effect the tower's shot left on it.
bool HoldsEffectOf(const KpEnemy& unit, const KpTower* tower) {
  return std::any_of(unit.modifiers.begin(), unit.modifiers.end(),
                     [tower](const KpModifier* modifier) { return modifier->source == tower && !modifier->ability; });
}

constexpr float kSectorDegrees = 11.25f;
constexpr float kTurnDegreesPerSecond = 360.0f;
// Units this much beyond the range keep a tower tracking instead of idling.
constexpr float kNearMargin = 100.0f;
constexpr float kDebuffedCooldownFactor = 1.5f;
constexpr float kBeamHoldSeconds = 0.2f;
constexpr int kRotatingFramesPerDirection = 4;
constexpr float kDebuffSpriteFps = 10.0f;
constexpr int kIncomePopupKind = KpPopup::kMoney;
// Support towers have this strength: they never aim.
constexpr float kSupportStrength = -1.0f;
constexpr float kInstantSpeed = -1.0f;

int Sector(float degrees) { return static_cast<int>(degrees / kSectorDegrees + 0.5f); }

// The tower's shot sound names the firing tier.
void PlayShotSound(int tierId) {
  w4::SoundTags::Instance()->Play(base::ToWide("tower" + std::to_string(tierId) + "shot", base::kEncodingUtf8));
}

// A missing prototype is worth one line per id, not one per frame.
void ReportMissingPrototype(int id) {
  static std::set<int> reported;
  if (!reported.insert(id).second) return;
  QL_LOG(u"A tower of prototype %d stands on the map, but the sheets have no such tower; it does nothing\n")
      .AddArg(id);
}

KpAnimatedSprite* LoopingSpriteAt(const char16_t* name, float x, float y) {
  auto* sprite = new KpAnimatedSprite(name);
  sprite->loop = true;
  sprite->x = x;
  sprite->y = y;
  return sprite;
}

bool Contains(const std::vector<KpEnemy*>& units, const KpEnemy* unit) {
  return unit && std::find(units.begin(), units.end(), unit) != units.end();
}

float SquaredDistanceToShown(const KpEnemy& unit, float x, float y) {
  const float dx = unit.shownX - x;
  const float dy = unit.shownY - y;
  return dx * dx + dy * dy;
}

}  // namespace

KpTower::KpTower() = default;

KpTower::~KpTower() {
  DeleteAllPointersAndFree(pickups);
  DeleteAllPointersAndFree(auras);
}

void KpTower::init(const KpProto* towerPrototype) {
  prototype = towerPrototype;
  tier = 0;
  bonus = std::make_unique<KpProto>();
  if (prototype && prototype->sprite) {
    const SpriteExtent extent = GetSpriteExtent(*prototype->sprite);
    spriteWidth = extent.width;
    spriteHeight = extent.height;
  }
  setupAuras();
}

void KpTower::setupAuras() {
  DeleteAllPointers(auras);
  const KpProto* tierProto = getTierProto();
  if (!tierProto) return;
  if (tierProto->goldIncome > 0)
    auras.push_back(new GoldIncomerModifier(tierProto->goldIncome, tierProto->cooldown, this));
  if (tierProto->boostTower) auras.push_back(new MagicTowerBoost(this));
  if (tierProto->showInvisible) auras.push_back(new ShowInvisible(this));
  if (KpMap* map = RunningGameMap()) SortBoostTowersFirst(map->towers);
}

const KpProto* KpTower::getTierProto(int k) const {
  const KpMap* map = RunningGameMap();
  if (!map || !map->protos || !prototype) return nullptr;
  return TowerTierProto(*map->protos, prototype->id, k, tier);
}

float KpTower::spotProperty(const char* name) const {
  if (!spot || !spot->spot || !spot->spot->properties) return 0.0f;
  return spot->spot->properties->getFloat(name);
}

float KpTower::range() const {
  const KpProto* tierProto = getTierProto();
  const float tierRange = tierProto ? tierProto->range : 0.0f;
  const float bonusRange = bonus ? bonus->range : 0.0f;
  const float radiusFactor = spotProperty("radius_mult");
  return (bonusRange + tierRange) * (radiusFactor != 0.0f ? radiusFactor : 1.0f) * 0.5f;
}

void KpTower::update(float dt) {
  KpMap* map = RunningGameMap();
  if (!map) return;
  forgetEndedBeam();
  const KpProto* tierProto = getTierProto();
  if (!tierProto) {
    if (prototype) ReportMissingPrototype(prototype->id);
    return;
  }
  addLevelUpBonus();
  updateFade(map->rawFrameTime);
  if (!updateDisabled(*map)) return;
  updateDebuffed(*map);

  pauseTimer = std::max(0.0f, pauseTimer - dt);
  cooldown = std::max(0.0f, cooldown - dt);
  UpdatePickups(pickups, dt);

  std::vector<KpEnemy*> inRange;
  enemiesInRange(inRange, 0.0f);
  updateTarget(*tierProto, inRange);
  aimAtTarget();
  const int targetSector = Sector(targetAngle);
  const bool inSector = turn(dt) == targetSector;
  if (inSector && !inRange.empty() && state == kTracking) {
    angle = targetAngle;
    if (cooldown <= 0.0f) {
      state = kFiring;
      animationTime = 0.0f;
    }
  }
  advanceState(*tierProto, dt, inSector);
  if (angle < 0.0f) angle += 360.0f;
  if (angle > 360.0f) angle -= 360.0f;
  updateAuras(dt);
  forgetEndedBeam();
}

void KpTower::addLevelUpBonus() {
  if (!bonus) return;
  bonus->range += levelUpRange;
  bonus->strength += levelUpStrength;
}

void KpTower::updateFade(float frameTime) {
  if (fadeRate == 0.0f) return;
  fade = std::clamp(fade + frameTime * fadeRate, 0.0f, 1.0f);
  if ((fadeRate > 0.0f && fade >= 1.0f) || (fadeRate < 0.0f && fade <= 0.0f)) fadeRate = 0.0f;
}

bool KpTower::updateDisabled(KpMap& map) {
  if (map.isTowerDisabled(*this)) {
    if (!disabled) {
      disabled = true;
      disabledSprite = LoopingSpriteAt(u"kp/disabletower", x, y);
      map.effectSprites.push_back(disabledSprite);
    }
    return false;
  }
  if (disabledSprite) RemoveAndDeletePointer(map.effectSprites, static_cast<KpSprite*>(disabledSprite));
  disabledSprite = nullptr;
  disabled = false;
  return true;
}

void KpTower::updateDebuffed(KpMap& map) {
  if (map.isTowerDebuffed(*this)) {
    if (!debuffed) {
      debuffed = true;
      debuffSprite = LoopingSpriteAt(u"kp/tower_debuff", x, y);
      debuffSprite->state().fps = kDebuffSpriteFps;
      map.effectSprites.push_back(debuffSprite);
    }
    return;
  }
  if (debuffSprite) RemoveAndDeletePointer(map.effectSprites, static_cast<KpSprite*>(debuffSprite));
  debuffSprite = nullptr;
  debuffed = false;
}

void KpTower::updateTarget(const KpProto& tierProto, const std::vector<KpEnemy*>& inRange) {
  if (tierProto.strength == kSupportStrength) {
    target = nullptr;
    return;
  }
  if (!inRange.empty()) {
    target = chooseTarget(inRange, target, true);
    if (state == kIdle) state = kTracking;
    return;
  }
  std::vector<KpEnemy*> near;
  enemiesInRange(near, kNearMargin);
  if (!near.empty()) {
    target = chooseTarget(near, Contains(near, target) ? target : nullptr, false);
    state = kTracking;
    return;
  }
  if (target) clearTarget();
  if (state == kIdle) {
    state = kLookingAround;
    targetAngle = math::Random(0) * 360.0f;
  }
}

void KpTower::aimAtTarget() {
  if (!target || state == kBeamHolding || state == kWaitingForShell) return;
  const float dx = target->shownX - x;
  const float dy = target->shownY - y;
  setTargetAngle(std::atan2(dx, dy) * 180.0f / std::numbers::pi_v<float> + 90.0f);
  targetAngle = std::floor(targetAngle);
}

int KpTower::turn(float dt) {
  const int targetSector = Sector(targetAngle);
  if (Sector(angle) == targetSector) return targetSector;
  float direction;
  if (angle > targetAngle)
    direction = 360.0f - angle + targetAngle < 180.0f ? 1.0f : -1.0f;
  else
    direction = 360.0f - targetAngle + angle >= 180.0f ? 1.0f : -1.0f;
  const float turned = angle + direction * kTurnDegreesPerSecond * dt;
  const bool passes = direction > 0.0f ? angle < targetAngle && turned > targetAngle
                                       : angle > targetAngle && turned < targetAngle;
  angle = passes ? targetAngle : turned;
  return Sector(angle);
}

void KpTower::advanceState(const KpProto& tierProto, float dt, bool inSector) {
  const TowerAnimation animation(tierProto);
  switch (state) {
    case kIdle:
    case kTracking:
      if (!tierProto.rotating) {
        animationTime += dt;
        if (animationTime > animation.idleSeconds()) animationTime = 0.0f;
      }
      break;
    case kLookingAround:
      if (inSector) {
        state = kPausing;
        pauseTimer = kLookAroundPause;
      }
      break;
    case kFiring:
      animationTime += dt;
      if (tierProto.rotating) {
        if (animationTime > kRotatingFramesPerDirection / animation.fps()) {
          state = kIdle;
          animationTime = 0.0f;
          fire();
          startCooldown(tierProto);
        }
      } else if (animationTime > animation.blastSeconds()) {
        fire();
        startCooldown(tierProto);
        if (tierProto.ammoId == KpBullet::kLobbedShellAmmo && hasShellInFlight()) {
          state = kWaitingForShell;
          target = nullptr;
          animationTime = animation.blastSeconds();
        } else {
          animationTime = 0.0f;
          state = tierProto.teleportEnemy ? kBeamHolding : kIdle;
        }
      }
      break;
    case kBeamHolding:
      animationTime += dt;
      if (animationTime > kBeamHoldSeconds && beam) {
        beam->finish();
        beam = nullptr;
      }
      break;
    case kPausing:
      pauseTimer -= dt;
      if (pauseTimer <= 0.0f) {
        state = kIdle;
        pauseTimer = 0.0f;
      }
      break;
    default:
      break;
  }
}

// A shell the projectile list refused (a tier that gives it no speed) is
// never waited for.
bool KpTower::hasShellInFlight() const {
  const KpMap* map = RunningGameMap();
  if (!map || !map->bullets) return false;
  const std::vector<KpBullet*>& shots = map->bullets->bullets();
  return std::any_of(shots.begin(), shots.end(), [this](const KpBullet* shot) { return shot->tower == this; });
}

// Upgrades make the bonus cooldown negative: it shortens the tier's.
void KpTower::startCooldown(const KpProto& tierProto) {
  const float base = std::max(0.0f, tierProto.cooldown + (bonus ? bonus->cooldown : 0.0f));
  cooldown = base * (debuffed ? kDebuffedCooldownFactor : 1.0f);
}

void KpTower::updateAuras(float dt) {
  for (std::size_t i = 0; i < auras.size();) {
    KpModifier* aura = auras[i];
    if (!aura->active) {
      auras.erase(auras.begin() + static_cast<std::ptrdiff_t>(i));
      delete aura;
      continue;
    }
    aura->update(nullptr, dt);
    ++i;
  }
}

// The map's particle list owns the beam; the map makes the tower forget a
// beam it deletes, and the tower forgets one that has ended.
void KpTower::forgetEndedBeam() {
  if (beam && !beam->isRunning()) beam = nullptr;
}

void KpTower::enemiesInRange(std::vector<KpEnemy*>& out, float extra) const {
  out.clear();
  const KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !map->waves || !tierProto) return;
  const float reach = range() + extra;
  for (KpEnemy* unit : map->waves->enemies()) {
    if (unit->invisibleTime > 0.0f || unit->state == KpEnemy::kDying || unit->state == KpEnemy::kFading) continue;
    if (std::hypot(unit->x - x, unit->y - y) >= reach) continue;
    if (tierProto->air || !unit->isFlying()) out.push_back(unit);
  }
}

KpEnemy* KpTower::chooseTarget(const std::vector<KpEnemy*>& candidates, KpEnemy* current, bool inRange) const {
  if (!Contains(candidates, current)) current = nullptr;
  if (inRange) {
    const KpMap* map = RunningGameMap();
    if (map && Contains(candidates, map->selectedUnit)) return map->selectedUnit;
  }
  if (current) return current;
  if (!inRange) return FindNearestEnemy(candidates, x, y);

  std::vector<KpEnemy*> flying;
  std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(flying),
               [](const KpEnemy* unit) { return unit->isFlying(); });
  const std::vector<KpEnemy*>& pool = flying.empty() ? candidates : flying;
  if (pool.empty()) return nullptr;
  const float lowest =
      (*std::min_element(pool.begin(), pool.end(), [](const KpEnemy* a, const KpEnemy* b) {
        return a->health < b->health;
      }))->health;
  KpEnemy* nearest = nullptr;
  float nearestDistance = 1e9f;
  for (KpEnemy* unit : pool) {
    if (unit->health != lowest) continue;
    const float distance = SquaredDistanceToShown(*unit, x, y);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = unit;
    }
  }
  return nearest;
}

void KpTower::fire() {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!target || !map || !tierProto) return;
  PlayShotSound(tierProto->id);
  if (tierProto->speed == kInstantSpeed && tierProto->teleportEnemy) {
    if (beam || target->state == KpEnemy::kHeldInBeam) return;
    const TowerAnimation animation(*tierProto);
    const KpFrameEntry* base = animation.optionalMarker("base_point");
    const KpFrameEntry* shot = animation.optionalMarker("s_point");
    const float baseX = base ? base->x : spriteWidth * 0.5f;
    const float baseY = base ? base->y : 0.0f;
    const float shotX = shot ? shot->x : spriteWidth * 0.5f;
    const float shotY = shot ? shot->y : 0.0f;
    const float startX = x - (spriteWidth * 0.5f - baseX) - (spriteWidth * 0.5f - shotX);
    const float startY = y - baseY + shotY;
    beam = new KpBeamParticle(startX, startY, target, "t_line");
    map->particles.push_back(beam);
    target->state = KpEnemy::kHeldInBeam;
    target->animationTime = 0.0f;
    KpBullet hit(this, target);
    target->takeHit(hit, true);
    // A unit that kept the teleport out walks on; only the teleport frees a
    // held one.
    if (!HoldsEffectOf(*target, this)) target->state = KpEnemy::kWalking;
    return;
  }
  if (map->bullets) map->bullets->add(new KpBullet(this, target));
}

void KpTower::payIncome() {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !tierProto || tierProto->goldIncome <= 0) return;
  PlayShotSound(tierProto->id);
  float income = static_cast<float>(tierProto->goldIncome);
  if (const std::unique_ptr<KpProto> upgraded = map->upgradedProto(tierProto->id))
    income = static_cast<float>(upgraded->goldIncome);
  const int amount = static_cast<int>(income * spotProperty("income_mult"));
  if (map->popups) {
    KpPopup* popup = map->popups->add(x, y, kIncomePopupKind);
    popup->text = u"+" + base::ToWide(std::to_string(amount), base::kEncodingUtf8);
  }
  if (map->wallet) map->wallet->addMoney(amount);
  state = kFiring;
  animationTime = 0.0f;
}

// A level-up is paid from the level's money, and what it adds is kept apart
// from the bonus prototype, which the map rebuilds every frame.
void KpTower::levelUp() {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !map->wallet || !tierProto || !prototype) return;
  if (level >= prototype->tierUpdates) return;
  const int price = static_cast<int>(tierProto->tierCost);
  if (map->wallet->money < price) return;
  map->wallet->spendMoney(price);
  ++level;
  animationTime = 0.0f;
  state = kIdle;
  const float share = static_cast<float>(level) * prototype->tierK;
  levelUpRange = share * prototype->range;
  levelUpStrength = share * prototype->strength;
}

void KpTower::setTargetAngle(float degrees) {
  const float a = degrees >= 90.0f ? degrees - 90.0f : degrees + 270.0f;
  if (std::floor(a / kSectorDegrees) != std::floor(targetAngle / kSectorDegrees)) targetAngle = a;
}

// The beam plays out in the map's list; the tower no longer holds it.
void KpTower::clearTarget() {
  target = nullptr;
  state = kIdle;
  if (beam) beam->finish();
  beam = nullptr;
}

void SortBoostTowersFirst(std::vector<KpTower*>& towers) {
  const auto boosts = [](const KpTower* tower) {
    const KpProto* tierProto = tower->getTierProto();
    return tierProto && tierProto->boostTower;
  };
  std::stable_sort(towers.begin(), towers.end(),
                   [&](const KpTower* a, const KpTower* b) { return boosts(a) && !boosts(b); });
}
