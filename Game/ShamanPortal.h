#pragma once

#include <vector>

#include "Game/HeldParticleEffect.h"
#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

class KpPoint;
class KpProto;
class KpWaveProto;

// A portal a summoner opened on the map: once per period while it lasts, a
// new enemy of the summoner's wave steps out where the summoner stood when
// it opened the portal, on the same route and lane.
class ShamanPortal : public KpModifier {
 public:
  // The unit id that comes out of a portal.
  static constexpr int kSummonedUnit = 0;

  // ammo is the summoner's "ammoid" prototype: its speed is the period, its
  // "onFire" the portal's particle effect.
  ShamanPortal(KpMap& map, const KpEnemy& shaman, const KpProto& ammo, float duration);

  void update(KpEnemy* unit, float dt) override;
  void apply(KpEnemy* unit, float dt) override;

  // Not owned: the waves live for the whole level, as the portal does.
  KpWaveProto* wave;
  int routeIndex;
  float linkPosition;
  float linkLength;
  float linkTime;
  const KpPoint* spawnPoint;
  std::vector<int> route;
  float lane;
  HeldParticleEffect portal;

 private:
  MissingDataNote missing_;
};
