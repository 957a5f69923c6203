#include "Game/KpBullet.h"

#include <cmath>

#include "Core/Base/Format.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Sound/SoundTags.h"
#include "Game/AmmoEffects.h"
#include "Game/AreaModifiers.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpWaves.h"
#include "Game/ParticleEffect.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"

namespace {

constexpr float kHitDistance = 10.0f;
constexpr float kShellRiseSeconds = 0.5f;
constexpr float kShellArcSeconds = 1.0f;
constexpr float kShellRaise = 15.0f;
constexpr float kShellArcHeight = 35.0f;
constexpr int kDirections = 32;

// The drawing rotation of an image that points up, for a step (dx, dy).
float RotationOfStep(float dx, float dy) {
  constexpr float kDegreesPerRadian = 57.29578f;
  return RotateAngleMinus90(std::atan2(dx, dy) * kDegreesPerRadian);
}

const KpFrameEntry* FrameAt(const SpriteDef& sprite, const char* group, int index) {
  const SpriteDef::FrameList* frames = sprite.findGroup(group);
  if (!frames || index < 0 || static_cast<std::size_t>(index) >= frames->size()) return nullptr;
  return (*frames)[static_cast<std::size_t>(index)];
}

// Restarts an animation clock after one pass of the group's frames.
void WrapAfterOnePass(float& time, const KpProto& proto, const char* group) {
  const SpriteDef::FrameList* frames = proto.sprite ? proto.sprite->findGroup(group) : nullptr;
  if (!frames || frames->empty() || proto.fps <= 0.0f) return;
  if (time >= static_cast<float>(frames->size()) / proto.fps) time = 0.0f;
}

void FollowWithTrail(KpBullet& b, float dt) {
  if (!b.trail) return;
  b.trail->Update(dt);
  b.trail->SetPosition(b.x, b.y, 0);
}

// An explosion where the projectile is, for a target that went or walked
// out of reach.
void Blast(KpBullet& b) {
  if (KpMap* map = RunningGameMap()) map->areaEffects.push_back(new BlastModifier(b));
  b.alive = 0;
}

// Every unit within the ammunition's r of the aim point takes the shot.
void Burst(KpBullet& b, const KpProto* ammo) {
  KpMap* map = RunningGameMap();
  if (ammo && map && map->waves) {
    std::vector<KpEnemy*> struck;
    for (KpEnemy* unit : map->waves->enemies())
      if (Distance2D(unit->shownX, unit->shownY, b.x, b.y) <= ammo->range) struck.push_back(unit);
    for (KpEnemy* unit : struck) {
      b.spawnHitEffect(unit->shownX, unit->shownY);
      unit->takeHit(b, false);
    }
  }
  b.spawnHitEffect(b.x, b.y);
  b.alive = 0;
}

// True when the update ends with the shell's own flight.
bool FlyShell(KpBullet& b, float dt, const KpProto* ammo) {
  if (b.phase == KpBullet::kRising) {
    if (!b.target) {
      b.alive = 0;
      return true;
    }
    if (b.phaseTime < kShellRiseSeconds) {
      b.y -= b.speed * dt;
    } else {
      const float toX = b.target->shownX;
      const float toY = b.target->shownY;
      b.phase = KpBullet::kOnArc;
      b.phaseTime = 0.0f;
      b.arc.start = {b.x, b.y};
      b.arc.control = {b.x + (toX - b.x) * 0.5f, b.y - (toY - b.y) * 0.5f - kShellArcHeight};
      b.arc.end = {toX, toY};
    }
  } else if (b.phaseTime <= kShellArcSeconds) {
    CurvePoint next;
    QuadBezierPoint(next, b.arc, b.phaseTime);
    b.rotation = RotationOfStep(next.x - b.x, next.y - b.y);
    b.x = next.x;
    b.y = next.y;
  } else {
    b.x = b.arc.end.x;
    b.y = b.arc.end.y;
    // The shell bursts where it lands: where its target stood when the arc
    // was set.
    b.aimX = b.x;
    b.aimY = b.y;
    b.phaseTime = 0.0f;
    b.phase = KpBullet::kLanded;
  }
  if (b.phase == KpBullet::kLanded) return false;
  // A shell in the air never also flies on as a straight shot.
  if (ammo && ammo->sprite) {
    FollowWithTrail(b, dt);
    WrapAfterOnePass(b.animationTime, *ammo, "shot");
  }
  return true;
}

// False when the projectile's flight is over.
bool Home(KpBullet& b, float dt) {
  KpTower& tower = *b.tower;
  if (!b.target || Distance2D(tower.x, tower.y, b.target->shownX, b.target->shownY) > tower.range()) {
    Blast(b);
    return false;
  }
  const float distance = Distance2D(b.x, b.y, b.target->x, b.target->y);
  if (distance < kHitDistance) {
    b.target->takeHit(b, true);
    b.spawnHitEffect(b.x, b.y);
    b.alive = 0;
    return false;
  }
  b.directionX = (b.target->x - b.x) / distance;
  b.directionY = (b.target->y - b.y) / distance;
  // A long frame does not carry the projectile past its target.
  const float step = std::fmin(dt * b.speed, distance);
  b.x += b.directionX * step;
  b.y += b.directionY * step;
  b.rotation = RotationOfStep(b.directionX, b.directionY);
  return true;
}

// False when the projectile's flight is over.
bool FlyStraight(KpBullet& b, float dt, const KpProto* ammo) {
  const float step = dt * b.speed;
  // A long frame does not carry the projectile past its aim point.
  if (step >= Distance2D(b.x, b.y, b.aimX, b.aimY)) {
    b.x = b.aimX;
    b.y = b.aimY;
  } else {
    b.x += b.directionX * step;
    b.y += b.directionY * step;
  }
  if (Distance2D(b.x, b.y, b.tower->x, b.tower->y) > b.tower->range()) {
    b.alive = 0;
    return false;
  }
  if (Distance2D(b.x, b.y, b.aimX, b.aimY) >= kHitDistance) return true;
  Burst(b, ammo);
  return false;
}

}  // namespace

KpBullet::KpBullet(KpTower* firingTower, KpEnemy* aimedAt) {
  if (!aimedAt) return;
  tierProto = firingTower ? firingTower->getTierProto() : nullptr;
  aimX = aimedAt->shownX;
  aimY = aimedAt->shownY;
  tower = firingTower;
  target = aimedAt;
  alive = 1;
  if (!tower) return;

  if (tower->directionIndex < 0 || tower->directionIndex >= kDirections) tower->directionIndex = 0;
  int muzzleFrame = kDirections - tower->directionIndex;
  if (muzzleFrame >= kDirections) muzzleFrame = 0;
  x = tower->x;
  y = tower->y;
  if (tierProto && tierProto->rotating && tierProto->sprite) {
    const KpFrameEntry* muzzle = FrameAt(*tierProto->sprite, "s_point", muzzleFrame);
    const KpFrameEntry* base = FrameAt(*tierProto->sprite, "base_point", 0);
    if (muzzle && base) {
      const float halfWidth = tower->spriteWidth / 2.0f;
      x += (halfWidth - base->x) + (halfWidth - muzzle->x);
      y += -base->y + muzzle->y;
    }
  }
  const float distance = Distance2D(x, y, aimX, aimY);
  if (distance > 0.0f) {
    directionX = (aimX - x) / distance;
    directionY = (aimY - y) / distance;
  }
  speed = tierProto ? tierProto->speed : 0.0f;
  phaseTime = 0.0f;
  if (tierProto && tierProto->ammoId == kLobbedShellAmmo) {
    y -= kShellRaise;
    shellAnimation = std::make_unique<SpriteAnimState>(u"kp/tower3_1b", u"fire");
  }
}

KpBullet::~KpBullet() = default;

const KpProto* KpBullet::ammoProto() const {
  const KpMap* map = RunningGameMap();
  if (!tierProto || !map || !map->protos) return nullptr;
  return map->protos->find(tierProto->ammoId);
}

void KpBullet::spawnHitEffect(float atX, float atY) {
  const KpProto* ammo = ammoProto();
  KpMap* map = RunningGameMap();
  if (!tower || !ammo || ammo->onHit.empty() || !map) return;
  WideFormat sound(u"ammo%dhit");
  sound.AddInt(ammo->id).Finish();
  w4::SoundTags::Instance()->Play(sound.Text());
  if (std::unique_ptr<ParticleEffect> effect = StartAmmoEffect(ammo->onHit, atX, atY))
    map->hitEmitters.push_back(effect.release());
}

void KpBullet::update(float dt) {
  animationTime += dt;
  phaseTime += dt;
  if (shellAnimation) shellAnimation->update(dt);
  const KpProto* ammo = ammoProto();
  if (!tower || !tierProto) {
    alive = 0;
    return;
  }
  const bool lobbed = tierProto->ammoId == kLobbedShellAmmo;
  if (lobbed && phase != kLanded && FlyShell(*this, dt, ammo)) return;

  if (tierProto->speed == kInstantSpeed) {
    // The hit lands on the target, so a splash falls off from there and not
    // from the tower.
    if (target) {
      x = target->shownX;
      y = target->shownY;
      target->takeHit(*this, true);
    }
    alive = 0;
    return;
  }
  if (ammo) {
    animationTime += dt;
    WrapAfterOnePass(animationTime, *ammo, "shot");
  }
  const bool flying = tierProto->aimed && !lobbed ? Home(*this, dt) : FlyStraight(*this, dt, ammo);
  if (flying) FollowWithTrail(*this, dt);
}

