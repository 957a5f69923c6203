#pragma once

#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

// A tower's own auras, unlimited, made anew whenever the tower is built or
// upgraded; the tower is their source. The reach of the first and the last
// is half the tower's current r times its spot's "radius_mult".

// Reveals the invisible enemies in reach.
class ShowInvisible : public KpModifier {
 public:
  explicit ShowInvisible(KpTower* tower);

  void apply(KpEnemy* unit, float dt) override;

 private:
  MissingDataNote missing_;
};

// The tower pays its gold income once per period.
class GoldIncomerModifier : public KpModifier {
 public:
  GoldIncomerModifier(int goldIncome, float runEvery, KpTower* tower);

  void apply(KpEnemy* unit, float dt) override;

  // The prototype's income when the aura was made; the payout reads the
  // prototype again.
  int income;
};

// Makes the other towers in reach stronger and reach further by the
// boosting tower's speed in percent of their own strength and r.
class MagicTowerBoost : public KpModifier {
 public:
  explicit MagicTowerBoost(KpTower* tower);

  void apply(KpEnemy* unit, float dt) override;

 private:
  MissingDataNote missing_;
};

// Half the tower's current r times its spot's "radius_mult"; 0 without a
// prototype.
float AuraReach(const KpTower& tower);
