#pragma once

#include <string>
#include <vector>

#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

class KpBullet;

// Effects on a circle of the map, held in the map's area list: they act on
// the enemies within half their size of their centre.
class AreaModifier : public KpModifier {
 public:
  AreaModifier(std::string name, float value, float duration, float centreX, float centreY, float size);

 protected:
  std::vector<KpEnemy*> enemiesInside(const KpMap& map) const;
};

// A shot that lost its target bursts where it is: the enemies within half
// its ammunition's r take the firing tower's strength. It acts when made
// and ends at its first update.
class BlastModifier : public AreaModifier {
 public:
  explicit BlastModifier(const KpBullet& bullet);
};

// Marks where a splash shot hit, for the debug view of the areas.
class AreaDamageModifier : public AreaModifier {
 public:
  AreaDamageModifier(std::string name, float value, float duration, float centreX, float centreY, float size);
};

// Fire on the ground: every enemy inside loses the value once a second.
class FireSplashModifier : public AreaModifier {
 public:
  FireSplashModifier(std::string name, float value, float duration, float centreX, float centreY, float size);

  void apply(KpEnemy* unit, float dt) override;
};

// A poison cloud: every enemy inside that carries no such poison yet gets
// one, dealing the value once a second for the cloud's duration.
class DotModifierArea : public AreaModifier {
 public:
  DotModifierArea(float centreX, float centreY, float size, float value, float duration);

  void apply(KpEnemy* unit, float dt) override;
};

// No enemy inside can move.
class MapImpassableArea : public AreaModifier {
 public:
  MapImpassableArea(float duration, float centreX, float centreY, float size);

  void apply(KpEnemy* unit, float dt) override;

 private:
  MissingDataNote missing_;
};
