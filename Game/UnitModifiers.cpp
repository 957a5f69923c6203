#include "Game/UnitModifiers.h"

#include "Core/Sound/SoundTags.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpPoint.h"
#include "Game/KpProto.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"

namespace {

constexpr float kPortalLift = 15.0f;
// Seconds before the end of the hold at which each portal opens.
constexpr float kStartPortalLead = 1.0f;
constexpr float kUnitPortalLead = 2.0f;

}  // namespace

float BaseSpeedOf(const KpEnemy& unit, MissingDataNote& missing) {
  const KpProto* base = unit.getBaseProto();
  if (base) return base->speed;
  missing.report("the enemy's base prototype is not in the sheets");
  return 0.0f;
}

DotModifier::DotModifier(std::string name, float value, float duration, float runEvery, KpTower* source)
    : KpModifier(std::move(name), value, duration, source) {
  period = runEvery;
}

void DotModifier::apply(KpEnemy* unit, float) {
  if (!unit) return;
  unit->damage(value);
  KpMap* map = RunningGameMap();
  if (!map) return;
  auto* sprite = new KpAnimatedSprite(u"kp/mob_dot");
  sprite->x = unit->x;
  sprite->y = unit->y;
  map->effectSprites.push_back(sprite);
}

StunModifier::StunModifier(std::string name, float value, float duration, KpTower* source)
    : KpModifier(std::move(name), value, duration, source) {}

void StunModifier::apply(KpEnemy* unit, float) {
  if (unit) unit->speedReduction = BaseSpeedOf(*unit, missing_) * 0.5f;
}

HoldModifier::HoldModifier(std::string name, float value, float duration, KpTower* source)
    : KpModifier(std::move(name), value, duration, source) {}

void HoldModifier::apply(KpEnemy* unit, float) {
  if (unit) unit->speedReduction = BaseSpeedOf(*unit, missing_);
}

HoldAndTeleport::HoldAndTeleport(std::string name, float value, float duration, KpTower* source)
    : KpModifier(std::move(name), value, duration, source) {}

void HoldAndTeleport::update(KpEnemy* unit, float dt) {
  startPortal.update(dt);
  unitPortal.update(dt);
  KpModifier::update(unit, dt);
  if (!active && kind == kHolding) {
    active = true;
    kind = kTeleporting;
  }
}

void HoldAndTeleport::apply(KpEnemy* unit, float) {
  KpMap* map = RunningGameMap();
  // A unit that is dying or fading is neither held nor sent back to walk.
  if (!unit || !map || IsDead(*unit)) return;
  openPortals(*map, *unit);
  if (kind == kHolding)
    unit->speedReduction = BaseSpeedOf(*unit, missing_);
  else if (kind == kTeleporting)
    teleport(*map, *unit);
}

void HoldAndTeleport::openPortals(KpMap& map, const KpEnemy& unit) {
  const float left = duration - elapsed;
  if (left < kStartPortalLead && !startPortal.tried()) {
    const KpPoint* start = unit.route.empty() ? nullptr : map.findPoint(unit.route.front());
    if (start)
      startPortal.start(map, "portal_1", start->x, start->y);
    else
      missing_.report("the teleported enemy's route has no start point");
  }
  if (left < kUnitPortalLead && !unitPortal.tried()) unitPortal.start(map, "portal_1", unit.x, unit.y - kPortalLift);
}

void HoldAndTeleport::teleport(KpMap& map, KpEnemy& unit) {
  unit.routeIndex = 0;
  unit.linkTime = 0.0f;
  unit.linkPosition = 0.0f;
  w4::SoundTags::Instance()->Play(u"teleportEnemy");
  if (source) source->clearTarget();
  const KpPoint* start = unit.route.empty() ? nullptr : map.findPoint(unit.route[0]);
  if (start) unit.spawnPoint = start;
  StartHitEffect(map, "blow_bub", unit.x, unit.y);
  unitPortal.release();
  const KpProto* proto = unit.getTierProto();
  if (!proto || !proto->straight) {
    const KpPoint* next = unit.route.size() > 1 ? map.findPoint(unit.route[1]) : nullptr;
    const KpLink* link = start && next ? map.findLink(*start, *next) : nullptr;
    if (link)
      unit.linkLength = map.linkLength(link);
    else
      missing_.report("the teleported enemy's route has no first link");
    unit.state = KpEnemy::kWalking;
  }
  kind = kArrived;
  elapsed = 0.0f;
  duration = kAfterTeleport;
}
