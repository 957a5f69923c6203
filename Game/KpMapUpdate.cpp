#include <cstddef>

#include "Core/Render/ParticleEmitter.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/SpriteAnimState.h"

namespace {

constexpr int kReloadOnNextUpdate = 2;

bool IsRunning(const render::ParticleEmitter* emitter) {
  return emitter && emitter->GetState() == render::ParticleEmitter::kRunning;
}

// Running effects advance; the others go.
void UpdateEffects(std::vector<ParticleEffect*>& effects, float dt) {
  DeletePointersIf(effects, [](const ParticleEffect* effect) { return !IsRunning(effect->emitter()); });
  for (ParticleEffect* effect : effects) effect->update(dt);
}

void UpdateEmitters(std::vector<render::ParticleEmitter*>& emitters, float dt) {
  DeletePointersIf(emitters, [](const render::ParticleEmitter* emitter) { return !IsRunning(emitter); });
  for (render::ParticleEmitter* emitter : emitters) emitter->Update(dt);
}

}  // namespace

// The markers, menus and effects run in every screen; the world only in
// play, on the game clock: the game speed scales its step, while the money
// counter and the combo window keep real time.
void KpMap::update(float dt) {
  if (pendingReload == kReloadOnNextUpdate) {
    pendingReload = 0;
    loadLevel();
    return;
  }
  if (!resourcesLoaded) return;
  const float step = gameSpeed * dt;
  rawFrameTime = dt;
  gameTime += step;

  if (enemySpotSprite) enemySpotSprite->update(dt);
  if (selectedUnit && selectedUnit->state == KpEnemy::kDying) selectedUnit = nullptr;
  if (activeButtonEmitter) {
    activeButtonEmitter->Update(step);
    if (!IsRunning(activeButtonEmitter.get())) activeButtonEmitter->SetState(render::ParticleEmitter::kRunning);
  }
  UpdateEffects(fxEmitters, step);
  UpdateEmitters(towerEmitters, dt);
  if (screenState != kScreenPlay) return;

  updateMapEffects(step);
  UpdateSpriteList(effectSprites, step);
  wallet->update(dt);
  updateParticles(step);
  UpdateEffects(hitEmitters, step);
  if (popups) popups->update(step);
  for (KpTower* tower : towers) {
    if (tower->bonus) tower->bonus->clearBoostValues();
    tower->boosted = false;
  }
}
