#pragma once

#include <string>

#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

// An enemy's own abilities: made when the unit spawns, unlimited, running
// once per cooldown of its prototype. None acts while its owner is dead.
// They reach the other enemies within the owner's r.

class EnemyAbility : public KpModifier {
 public:
  EnemyAbility(std::string name, float value, float duration, KpTower* source);

 protected:
  // The owner's current r; 0, with a note, when the data lacks its
  // prototype.
  float reachOf(const KpEnemy& owner);

  MissingDataNote missing_;
};

// Hastens the others near the owner.
class HasteAreaModifier : public EnemyAbility {
 public:
  using EnemyAbility::EnemyAbility;
  void apply(KpEnemy* unit, float dt) override;
};

// Heals the wounded others near the owner, while the owner is not slowed.
class HealerModifier : public EnemyAbility {
 public:
  using EnemyAbility::EnemyAbility;
  void apply(KpEnemy* unit, float dt) override;
};

// Hides the others near the owner.
class InvisibleAreaModifier : public EnemyAbility {
 public:
  using EnemyAbility::EnemyAbility;
  void apply(KpEnemy* unit, float dt) override;
};

// Hides the owner, from its first update on.
class InvisibleModifier : public EnemyAbility {
 public:
  InvisibleModifier(std::string name, float value, float duration, KpTower* source);
  void apply(KpEnemy* unit, float dt) override;
};

// The owner heals itself while it is not slowed.
class RegenModifier : public EnemyAbility {
 public:
  using EnemyAbility::EnemyAbility;
  void apply(KpEnemy* unit, float dt) override;
};

// The owner opens a portal on the map that summons enemies, while it is not
// slowed.
class ShamanModifier : public EnemyAbility {
 public:
  using EnemyAbility::EnemyAbility;
  void apply(KpEnemy* unit, float dt) override;
};

// How long the effects above keep an enemy hastened or hidden.
inline constexpr float kHasteSeconds = 5.0f;
inline constexpr float kHasteFactor = 2.0f;
inline constexpr float kInvisibleSeconds = 2.0f;
inline constexpr float kInvisibleOpacity = 0.4f;
