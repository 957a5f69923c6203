#include "Game/KpEnemy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "Core/Base/Format.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/MathRandom.h"
#include "Core/Base/MathScalar.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Image.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Sound/SoundTags.h"
#include "Framework/GameApplication.h"
#include "Game/CurveGeometry.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpPoint.h"
#include "Game/KpPopupList.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpRouteBuilder.h"
#include "Game/KpTower.h"
#include "Game/KpWaveProto.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/ProtoTiers.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteDef.h"
#include "Game/SpriteExtent.h"

namespace {

constexpr float kFallbackFps = 20.0f;
constexpr float kInvisibleOpacity = 0.4f;
constexpr float kNormalSpeedFactor = 1.0f;
constexpr float kDeathSpinPerSecond = 50.0f;
constexpr float kDeathDropPerSecond = 80.0f;
constexpr float kFadeOutRate = -1.5f;
constexpr float kHealthBarSeconds = 2.5f;
// A straight unit is home once it is this near the goal.
constexpr float kStraightArrival = 50.0f;
// The curve heads left when its normal's y is below this.
constexpr float kLeftwardNormal = -0.05f;
constexpr float kKillPopupRise = 50.0f;
constexpr int kCarrierPassengers = 3;
constexpr int kRaisedUnitId = 39;

// Each unit id is reported once per run for each fault, however many of its
// units play.
bool FirstReportOf(std::set<int>& reported, int unitId) { return reported.insert(unitId).second; }
std::set<int> unitsWithoutPrototype;
std::set<int> unitsWithoutFrameRate;

void PlayUnitSound(const char16_t* tagFormat, int unitId) {
  WideFormat tag(tagFormat);
  tag.AddInt(unitId).Finish();
  if (w4::SoundTags* tags = w4::SoundTags::Instance()) tags->Play(tag.Text());
}

std::size_t FrameCount(const KpProto& proto, const std::string& group) {
  const SpriteDef::FrameList* frames = proto.sprite ? proto.sprite->findGroup(group) : nullptr;
  return frames ? frames->size() : 0;
}

// The shadow layouts of the flying units that cast one.
const char16_t* ShadowImageOf(int unitId) {
  switch (unitId) {
    case 3:
    case 30:
    case 31:
    case 38:
      return u"kp/data/ui_parts/shadows/wywern_shadow";
    case 10:
    case 32:
    case 33:
      return u"kp/data/ui_parts/shadows/dragon_shadow";
    default:
      return nullptr;
  }
}

render::Image* LoadShadowImage(int unitId) {
  const char16_t* name = ShadowImageOf(unitId);
  framework::GameApplication* application = framework::GameApplication::Instance();
  if (!name || !application) return nullptr;
  return application->CreateImage(name, nullptr).release();
}

void AdvanceFade(KpEnemy& unit, float dt) {
  if (unit.fadeRate == 0.0f) return;
  unit.fade += unit.fadeRate * dt;
  if (unit.fade > 1.0f) {
    unit.fade = 1.0f;
    unit.fadeRate = 0.0f;
  } else if (unit.fade < 0.0f) {
    unit.fade = 0.0f;
    unit.fadeRate = 0.0f;
  }
}

// The unit leaves play, raising a dead neighbour first; once only, even when
// nothing removes it at the end of this frame.
void LeavePlayDead(KpEnemy& unit) {
  if (!unit.inPlay) return;
  unit.inPlay = 0;
  unit.tryRaiseDead();
}

// Returns false when the frame of the unit ends with its animation.
bool Animate(KpEnemy& unit, const KpProto& proto, float dt) {
  const float fps = UnitFps(proto);
  switch (unit.state) {
    case KpEnemy::kDying: {
      const std::size_t frames = FrameCount(proto, "death");
      if (unit.isFlying()) {
        unit.deathSpin += kDeathSpinPerSecond * dt;
        unit.deathDrop += kDeathDropPerSecond * dt;
      }
      if (frames == 0) {
        LeavePlayDead(unit);
      } else if (unit.animationTime >= static_cast<float>(frames) / fps) {
        unit.state = KpEnemy::kFading;
        unit.fadeRate = kFadeOutRate;
        unit.animationTime = static_cast<float>(frames - 1) / fps;
      }
      return false;
    }
    case KpEnemy::kFading:
      if (unit.fade <= 0.0f) {
        LeavePlayDead(unit);
        unit.animationTime = 0.0f;
      }
      return false;
    case KpEnemy::kSpecial: {
      const std::size_t frames = FrameCount(proto, "special");
      // Without special frames the unit walks on at once rather than stand
      // for good.
      if (frames == 0 || unit.animationTime >= static_cast<float>(frames) / fps) {
        unit.animationTime = 0.0f;
        unit.state = KpEnemy::kWalking;
        PlayUnitSound(u"enemy%dspecial", proto.id);
      }
      return true;
    }
    default: {
      const std::size_t frames = FrameCount(proto, "walk");
      if (frames > 0 && unit.animationTime >= static_cast<float>(frames) / fps) unit.animationTime = 0.0f;
      return true;
    }
  }
}

void RemoveInactiveModifiers(KpEnemy& unit) {
  std::erase_if(unit.modifiers, [](KpModifier* modifier) {
    if (modifier->active) return false;
    delete modifier;
    return true;
  });
}

// Straight at the goal at the prototype's own speed: no slowing, holding or
// haste reaches a straight unit.
void MoveStraight(KpEnemy& unit, const KpProto& proto, KpMap& map, const KpPoint& goal, float dt) {
  if (Distance2D(unit.shownX, unit.shownY, goal.x, goal.y) < kStraightArrival) map.onUnitReachedBase(&unit);
  const float dx = goal.x - unit.x;
  const float dy = goal.y - unit.y;
  unit.facingLeft = dx < 0.0f;
  const float distance = std::hypot(dx, dy);
  if (distance > 0.0f) {
    unit.x += dx / distance * proto.speed * dt;
    unit.y += dy / distance * proto.speed * dt;
  }
  unit.shownX = unit.x;
  unit.shownY = unit.y;
}

void PlaceOnLink(KpEnemy& unit, const KpMap& map) {
  const LaneRoute& samples = unit.linkSamples;
  if (!samples.empty()) {
    const auto last = static_cast<float>(samples.size() - 1);
    const float at = last * unit.linkPosition;
    const auto index = static_cast<std::size_t>(std::isfinite(at) ? std::clamp(at, 0.0f, last) : 0.0f);
    unit.facingLeft = samples[index]->normalY <= kLeftwardNormal;
  }
  const CurvePoint point = map.routePointAt(samples, unit.linkPosition);
  unit.x = unit.shownX = point.x;
  unit.y = unit.shownY = point.y;
}

void MoveOnRoute(KpEnemy& unit, const KpProto& proto, KpMap& map, float dt) {
  const float step = (proto.speed - unit.speedReduction) * dt * unit.speedFactor;
  if (step > 0.0f) {
    unit.linkPosition = map.advanceOnRoute(unit.linkSamples, unit.linkPosition, step);
    if (unit.linkPosition >= 1.0f) {
      ++unit.routeIndex;
      unit.linkPosition = 0.0f;
      unit.linkTime = 0.0f;
      if (unit.route.size() > static_cast<std::size_t>(unit.routeIndex) + 1) {
        unit.updateUpperLevel();
        unit.linkLength = map.linkLength(CurrentLinkOf(unit, map));
      } else {
        map.onUnitReachedBase(&unit);
        unit.inPlay = 0;
      }
      return;
    }
  }
  PlaceOnLink(unit, map);
}

void Move(KpEnemy& unit, const KpProto& proto, KpMap& map, float dt) {
  const KpPoint* from = UnitRoutePoint(unit, map, 0);
  const KpPoint* to = UnitRoutePoint(unit, map, 1);
  if (!from || !to) {
    // The route was refused when the unit spawned.
    unit.inPlay = 0;
    return;
  }
  unit.linkTime += dt;
  const KpLink* link = map.findLink(*from, *to);
  if (link && map.routeBuilder && unit.entry) map.routeBuilder->getRoute(link, unit.entry->laneKey(), unit.linkSamples);
  if (proto.straight)
    MoveStraight(unit, proto, map, *to, dt);
  else
    MoveOnRoute(unit, proto, map, dt);
}

// Tells every unit near the blast, the dying one aside, of its damage.
void Explode(const KpEnemy& unit, const KpProto& proto, KpMap& map) {
  auto* effect = new ParticleEffect("mg_00");
  if (render::ParticleEmitter* emitter = effect->emitter()) {
    emitter->SetPosition(unit.x, unit.y, 1);
    emitter->SetState(render::ParticleEmitter::kRunning);
  }
  map.fxEmitters.push_back(effect);
  if (!map.waves) return;
  // By index: a carrier's passengers may have joined the list.
  const std::vector<KpEnemy*>& units = map.waves->enemies();
  for (std::size_t i = 0; i < units.size(); ++i) {
    KpEnemy* other = units[i];
    if (other->inPlay && other->state != KpEnemy::kDying &&
        Distance2D(unit.x, unit.y, other->x, other->y) <= proto.explodeRadius)
      other->damage(proto.explodeStr);
  }
}

void Die(KpEnemy& unit, const KpProto& proto, KpMap& map) {
  if (proto.carrier) map.spawnSummoned(unit, kCarrierPassengers);
  unit.state = KpEnemy::kDying;
  PlayUnitSound(u"enemy%ddie", proto.id);
  const float cost = proto.cost;
  const float bonusShare = static_cast<float>(TruncateToInt(cost * unit.killBonusFactor() + 0.5f));
  const int reward = TruncateToInt(std::ceil(cost * map.killRewardBonus) + bonusShare + cost);
  if (map.wallet) map.wallet->onKill(reward, unit.shownX, unit.shownY - kKillPopupRise);
  if (map.popups)
    map.popups->add(unit.shownX, unit.shownY, KpPopup::kMoney)->text =
        u"+ " + base::ToWide(std::to_string(reward), base::kEncodingUtf8);
  unit.animationTime = 0.0f;
  if (proto.explodeStr > 0.0f) Explode(unit, proto, map);
}

}  // namespace

float UnitFps(const KpProto& proto) {
  if (proto.fps > 0.0f) return proto.fps;
  if (FirstReportOf(unitsWithoutFrameRate, proto.id))
    QL_LOG(u"Unit %d plays at %f frames per second; it is given 20\n").AddArg(proto.id).AddArg(proto.fps);
  return kFallbackFps;
}

const KpLink* CurrentLinkOf(const KpEnemy& unit, const KpMap& map) {
  const KpPoint* from = UnitRoutePoint(unit, map, 0);
  const KpPoint* to = UnitRoutePoint(unit, map, 1);
  return from && to ? map.findLink(*from, *to) : nullptr;
}

const KpPoint* UnitRoutePoint(const KpEnemy& unit, const KpMap& map, int ahead) {
  if (unit.routeIndex < 0) return nullptr;
  const std::size_t index = static_cast<std::size_t>(unit.routeIndex) + static_cast<std::size_t>(ahead);
  return index < unit.route.size() ? map.findPoint(unit.route[index]) : nullptr;
}

KpEnemy::KpEnemy(KpWaveEntry* entry) : entry(entry) {
  // A level file may give any int; the lowest has no tier below it.
  if (entry) tier = std::max(entry->upgrade, std::numeric_limits<int>::min() + 1) - 1;
  const KpProto* proto = getTierProto();
  if (!proto) {
    const int unitId = entry ? entry->unitId : 0;
    if (FirstReportOf(unitsWithoutPrototype, unitId))
      QL_LOG(u"The prototype sheets have no unit %d at tier %d; its units leave play\n").AddArg(unitId).AddArg(tier);
    return;
  }
  health = getMaxHealth();
  if (proto->sprite) {
    const SpriteExtent extent = GetSpriteExtent(*proto->sprite);
    spriteWidth = extent.width;
    spriteHeight = extent.height;
  }
  animationTime = math::Random(0) * static_cast<float>(FrameCount(*proto, "walk")) / UnitFps(*proto);
  if (isFlying()) shadowImage = LoadShadowImage(entry->unitId);
}

KpEnemy::~KpEnemy() {
  delete shadowImage;
  DeleteAllPointers(modifiers);
}

const KpProto* KpEnemy::getTierProto() const {
  const KpMap* map = RunningGameMap();
  if (!entry || !map || !map->protos) return nullptr;
  return EnemyTierProto(*map->protos, entry->unitId, tier + 1);
}

const KpProto* KpEnemy::getBaseProto() const {
  const KpMap* map = RunningGameMap();
  return entry && map && map->protos ? map->protos->find(entry->unitId) : nullptr;
}

float KpEnemy::getMaxHealth() const {
  const KpProto* proto = getTierProto();
  const KpMap* map = RunningGameMap();
  return proto && map ? (map->getDifficultyHealthFactor() + 1.0f) * proto->health : 0.0f;
}

bool KpEnemy::isFlying() const {
  const KpProto* proto = getTierProto();
  return proto && proto->air;
}

void KpEnemy::update(float dt) {
  invisibleTime -= dt;
  targetOpacity = invisibleTime > 0.0f ? kInvisibleOpacity : 1.0f;
  math::MoveTowards(opacity, dt, targetOpacity);
  hasteTime -= dt;
  if (hasteTime <= 0.0f) {
    targetSpeedFactor = kNormalSpeedFactor;
    hasteTime = 0.0f;
  }
  math::MoveTowards(speedFactor, dt, targetSpeedFactor);
  healthBarTime = std::max(0.0f, healthBarTime - dt);
  AdvanceFade(*this, dt);

  KpMap* map = RunningGameMap();
  const KpProto* proto = getTierProto();
  // Without its prototype a unit could neither die nor pay: it just goes.
  if (!proto || !map) {
    inPlay = 0;
    return;
  }
  if (health <= 0.0f && state != kDying && state != kFading) {
    Die(*this, *proto, *map);
    return;
  }
  if (proto->speed - speedReduction > 0.0f || state == kDying || state == kFading) animationTime += dt;
  if (!Animate(*this, *proto, dt)) return;
  RemoveInactiveModifiers(*this);
  if (state == kSpecial) return;
  Move(*this, *proto, *map, dt);
}

void KpEnemy::damage(float amount) {
  if (state == kDying || state == kFading) return;
  // A heal never lifts the unit past its maximum health.
  health = amount < 0.0f ? std::max(health, std::min(health - amount, getMaxHealth())) : health - amount;
  healthBarTime = kHealthBarSeconds;
  if (amount > 0.0f) {
    invisibleTime = 0.0f;
    targetOpacity = 1.0f;
  }
  if (entry) PlayUnitSound(u"enemy%dhit", entry->unitId);
}

bool KpEnemy::acceptsModifier(const KpModifier& modifier) const {
  return std::none_of(modifiers.begin(), modifiers.end(), [&](const KpModifier* held) {
    return held->source == modifier.source && !held->ability;
  });
}

void KpEnemy::removeModifiersFrom(const KpTower* source) {
  std::erase_if(modifiers, [source](KpModifier* modifier) {
    if (modifier->source != source) return false;
    delete modifier;
    return true;
  });
}

void KpEnemy::tryRaiseDead() {
  KpMap* map = RunningGameMap();
  if (!entry || entry->unitId == kRaisedUnitId || !map || !map->waves || !entry->wave) return;
  const KpPoint* here = UnitRoutePoint(*this, *map, 0);
  if (!here) return;
  KpEnemy* raiser = nullptr;
  for (KpEnemy* unit : map->waves->enemies()) {
    // Only a raiser still in play raises: one dying or fading would die again.
    if (unit == this || unit->state == kDying || unit->state == kFading || !unit->inPlay) continue;
    const KpProto* proto = unit->getTierProto();
    if (proto && proto->raiseDead && unit->speedReduction != -proto->speed &&
        proto->range > Distance2D(x, y, unit->x, unit->y)) {
      raiser = unit;
      break;
    }
  }
  if (!raiser) return;

  auto* raisedEntry = new KpWaveEntry(entry->wave);
  raisedEntry->unitId = kRaisedUnitId;
  raisedEntry->upgrade = 1;
  raisedEntry->x = KpWaveEntry::kMadeAtRunTime;
  raisedEntry->y = entry->y;
  raisedEntry->spawned = true;
  entry->wave->entries.push_back(raisedEntry);
  KpEnemy* raised = map->spawnUnit(raisedEntry, here);
  if (!raised) return;
  raised->routeIndex = routeIndex;
  raised->linkPosition = linkPosition;
  raised->spawnPoint = spawnPoint;
  raised->route = route;
  raised->linkLength = linkLength;
  raised->linkTime = linkTime;
  raised->x = x;
  raised->y = y;
  raised->shownX = shownX;
  raised->shownY = shownY;
  raised->state = kSpecial;
  raised->animationTime = 0.0f;
  if (raiser->state != kSpecial) {
    raiser->state = kSpecial;
    raiser->animationTime = 0.0f;
  }
}

void KpEnemy::updateUpperLevel() {
  const KpMap* map = RunningGameMap();
  const KpPoint* point = map ? UnitRoutePoint(*this, *map, 0) : nullptr;
  upperLevel = point && point->properties ? point->properties->getFloat("upper") : 0.0f;
}

float KpEnemy::killBonusFactor() const {
  const KpMap* map = RunningGameMap();
  if (!map) return 0.0f;
  float factor = 0.0f;
  for (const KpTower* tower : map->towers) {
    const KpProto* tierProto = tower->getTierProto();
    if (tierProto && tierProto->goldIncome > 0 && tower->range() >= Distance2D(shownX, shownY, tower->x, tower->y))
      factor += tierProto->health / 100.0f;
  }
  return factor;
}

EnemyBounds KpEnemy::bounds() const {
  EnemyBounds box;
  box.centreX = shownX;
  box.centreY = shownY + deathDrop;
  const KpProto* proto = getTierProto();
  if (!currentFrame || !proto || !proto->sprite) return box;
  const SpriteDef::FrameList* root = proto->sprite->findGroup("");
  const KpFrameEntry* reference = root && !root->empty() ? root->front() : nullptr;
  const float referenceX = reference ? reference->x : 0.0f;
  const float referenceY = reference ? reference->y : 0.0f;
  const float side = facingLeft ? -1.0f : 1.0f;
  const KpFrameEntry& frame = *currentFrame;
  box.centreX = shownX + side * (referenceX - frame.x - frame.width * 0.5f);
  box.centreY = shownY + deathDrop - referenceY + frame.y + frame.height * 0.5f;
  box.width = frame.width;
  box.height = frame.height;
  return box;
}

KpEnemy* FindNearestEnemy(const std::vector<KpEnemy*>& units, float x, float y) {
  KpEnemy* nearest = nullptr;
  float nearestDistance = 0.0f;
  for (KpEnemy* unit : units) {
    const float distance = Distance2D(x, y, unit->shownX, unit->shownY);
    if (!nearest || distance < nearestDistance) {
      nearest = unit;
      nearestDistance = distance;
    }
  }
  return nearest;
}
