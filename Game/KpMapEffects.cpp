#include "Game/KpMap.h"
#include "Game/KpMapEffect.h"
#include "Game/KpParticle.h"
#include "Game/KpPopupList.h"
#include "Game/KpTower.h"
#include "Game/KpWaveHints.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"

void KpMap::updateMapEffects(float dt) {
  for (KpMapEffect* effect : mapEffects)
    if (effect->update(dt)) effect->start(fxEmitters);
}

// A particle goes once one of its emitters stops running; a tower whose beam
// it was forgets it.
void KpMap::updateParticles(float dt) {
  DeletePointersIf(particles, [this](KpParticle* particle) {
    if (particle->isRunning()) return false;
    for (KpTower* tower : towers)
      if (tower->beam == particle) tower->beam = nullptr;
    return true;
  });
  for (KpParticle* particle : particles) particle->update(dt);
}

void KpMap::clearLevelEffects() {
  forgetBeams();
  DeleteAllPointersAndFree(particles);
  DeleteAllPointersAndFree(mapEffects);
  if (popups) popups->clear();
  if (waveHints) waveHints->clear();
}

void KpMap::forgetBeams() {
  for (KpTower* tower : towers) tower->beam = nullptr;
}
