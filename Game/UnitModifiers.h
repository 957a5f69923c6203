#pragma once

#include <string>

#include "Game/HeldParticleEffect.h"
#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

// What a shot leaves on the enemy it hits; each acts on the enemy that
// holds it.

// Poison: the enemy loses the value at every run.
class DotModifier : public KpModifier {
 public:
  DotModifier(std::string name, float value, float duration, float runEvery, KpTower* source);

  void apply(KpEnemy* unit, float dt) override;
};

// Slows the enemy to half its base speed while it lasts.
class StunModifier : public KpModifier {
 public:
  StunModifier(std::string name, float value, float duration, KpTower* source);

  void apply(KpEnemy* unit, float dt) override;

 private:
  MissingDataNote missing_;
};

// Stops the enemy while it lasts.
class HoldModifier : public KpModifier {
 public:
  HoldModifier(std::string name, float value, float duration, KpTower* source);

  void apply(KpEnemy* unit, float dt) override;

 private:
  MissingDataNote missing_;
};

// Holds the enemy, then sends it back to the start of its route through a
// portal and lets it walk again.
class HoldAndTeleport : public KpModifier {
 public:
  // The phases, kept in kind.
  enum Phase { kHolding = 0, kTeleporting = 1, kArrived = 2 };
  // How long the portals stay open after the teleport.
  static constexpr float kAfterTeleport = 0.5f;

  HoldAndTeleport(std::string name, float value, float duration, KpTower* source);

  // When the hold runs out the effect stays for one more update, which
  // teleports.
  void update(KpEnemy* unit, float dt) override;
  void apply(KpEnemy* unit, float dt) override;

  // At the route's start and at the enemy.
  HeldParticleEffect startPortal;
  HeldParticleEffect unitPortal;

 private:
  void openPortals(KpMap& map, const KpEnemy& unit);
  void teleport(KpMap& map, KpEnemy& unit);

  MissingDataNote missing_;
};

// The unit's speed as its base prototype gives it; 0, with a note, when the
// data lacks the prototype.
float BaseSpeedOf(const KpEnemy& unit, MissingDataNote& missing);
