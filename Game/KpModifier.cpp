#include "Game/KpModifier.h"

#include <utility>

KpModifier::KpModifier(std::string name, float value, float duration, KpTower* source)
    : name(std::move(name)), value(value), duration(duration), source(source) {}

// The body runs before the end is tested, so an effect acts in the update
// that ends it and one of duration 0 acts exactly once.
void KpModifier::update(KpEnemy* unit, float dt) {
  if (!active) return;
  tick += dt;
  elapsed += dt;
  if (tick > period) {
    tick = 0.0f;
    apply(unit, dt);
  }
  if (duration != kUnlimited && elapsed > duration) active = false;
}

void KpModifier::apply(KpEnemy*, float) {}

// Nothing keeps pointing at a tower that has gone.
void KpModifier::onSourceRemoved(KpTower* tower) {
  if (source == tower) source = nullptr;
}
