#pragma once

#include <memory>
#include <vector>

#include "Game/HeldParticleEffect.h"
#include "Game/KpModifier.h"
#include "Game/ModifierWorld.h"

// The tower boost spell: while it lasts every tower on the map is stronger
// and reaches further by the value's share of its own strength and r, shows
// a hammer and cannot be blocked or weakened by enemies.
class TowersBoost : public KpModifier {
 public:
  // The tower whose speeds give the hammer's playback speed.
  static constexpr int kHammerSpeedTower = 3004;

  TowersBoost(float duration, float value);
  // Lets go of the towers it marked and of its hammers; the marks of other
  // boosts stay.
  ~TowersBoost() override;

  // Advances the hammers once per frame.
  void update(KpEnemy* unit, float dt) override;
  void apply(KpEnemy* unit, float dt) override;
  void onSourceRemoved(KpTower* tower) override;

  // A tower this boost marked, with its hammer.
  struct Boosted {
    // Not owned.
    KpTower* tower;
    std::unique_ptr<HeldParticleEffect> hammer;
  };

  const std::vector<Boosted>& boosted() const { return boosted_; }

 private:
  bool holds(const KpTower* tower) const;
  float hammerSpeed(KpMap& map);

  std::vector<Boosted> boosted_;
  MissingDataNote missing_;
};
