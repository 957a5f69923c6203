#pragma once

#include <memory>
#include <vector>

#include "Game/CurveGeometry.h"

namespace render {
class ParticleEmitter;
}

class KpEnemy;
class KpProto;
class KpTower;
class SpriteAnimState;

// A projectile a tower fired at a unit: straight, homing, lobbed or an
// instant hit, by its tier and ammunition.
class KpBullet {
 public:
  enum Phase { kRising = 0, kOnArc = 1, kLanded = 4 };
  // The fire ammunition; the last is the lobbed shell.
  static constexpr int kFireAmmoFirst = 2001;
  static constexpr int kLobbedShellAmmo = 2003;
  // A tier speed that hits at once.
  static constexpr float kInstantSpeed = -1.0f;

  // Without a tower (a beam's hit, a spell) the bullet only keeps the target.
  KpBullet(KpTower* tower, KpEnemy* target);
  KpBullet(const KpBullet&) = delete;
  KpBullet& operator=(const KpBullet&) = delete;
  virtual ~KpBullet();

  virtual void update(float dt);
  // The ammunition's hit effect and sound.
  void spawnHitEffect(float atX, float atY);
  // The ammunition of the firing tier; null for spells.
  const KpProto* ammoProto() const;

  int phase = kRising;
  float phaseTime = 0.0f;
  QuadCurve arc;
  const KpProto* tierProto = nullptr;
  float aimX = 0.0f;
  float aimY = 0.0f;
  std::unique_ptr<SpriteAnimState> shellAnimation;
  std::unique_ptr<render::ParticleEmitter> trail;
  // 0 makes the list delete it.
  int alive = 0;
  KpTower* tower = nullptr;
  // Null once the unit has gone.
  KpEnemy* target = nullptr;
  float animationTime = 0.0f;
  float rotation = 0.0f;
  // The units a spell has hit.
  std::vector<KpEnemy*> hitList;
  float directionX = 0.0f;
  float directionY = 0.0f;
  float x = 0.0f;
  float y = 0.0f;
  float speed = 0.0f;
};

// A spell the player cast on the map from a spell button; its prototype's
// speed is its duration, its strength its damage and r its area.
class KpSpell : public KpBullet {
 public:
  explicit KpSpell(int prototypeId);

  void update(float dt) override;
  void cast();

  int prototypeId;
};
