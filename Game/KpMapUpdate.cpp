#include <cstddef>

#include "Core/Render/ParticleEmitter.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpPickups.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/SpriteAnimState.h"
#include "Game/UpgradeList.h"

namespace {

constexpr int kReloadOnNextUpdate = 2;
// Gems on the map play faster than the world.
constexpr float kPickupSpeedFactor = 1.5f;

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
  if (towerMenu) towerMenu->update(dt);
  if (activeButtonEmitter) {
    activeButtonEmitter->Update(step);
    if (!IsRunning(activeButtonEmitter.get())) activeButtonEmitter->SetState(render::ParticleEmitter::kRunning);
  }
  UpdateEffects(fxEmitters, step);
  UpdateEmitters(towerEmitters, dt);
  if (screenState != kScreenPlay) {
    towerMenu.reset();
    return;
  }

  updateMapEffects(step);
  UpdatePickups(gemPickups, step * kPickupSpeedFactor);
  UpdateSpriteList(effectSprites, step);
  wallet->update(dt);
  updateParticles(step);
  UpdateEffects(hitEmitters, step);
  if (popups) popups->update(step);
  updateWorld(step);
}

// Boosts are given anew every frame: the areas and the towers' auras add
// them to the towers' bonus prototypes before the towers act. Lists are
// walked by index and their size read again, since towers, units and areas
// may add to them as they run.
void KpMap::updateWorld(float step) {
  for (KpTower* tower : towers) {
    if (tower->bonus) tower->bonus->clearBoostValues();
    tower->boosted = false;
  }
  for (std::size_t i = 0; i < areaEffects.size(); ++i) areaEffects[i]->update(nullptr, step);
  for (std::size_t i = 0; i < towers.size(); ++i) {
    KpTower* tower = towers[i];
    const KpProto* tier = tower->getTierProto();
    if (tier && tower->bonus && profile) upgrades->applyToTower(*tier, *tower->bonus, *profile, *unlockTable);
    tower->update(step);
  }
  waves->updateModifiers(step);
  for (std::size_t i = 0; i < waves->enemies().size(); ++i) waves->enemies()[i]->update(step);
  if (bullets) bullets->update(step);
  DeletePointersIf(areaEffects, [](const KpModifier* area) { return !area->active; });
  waves->update(step);
  for (KpEnemy* unit : waves->enemies()) unit->speedReduction = 0.0f;
}
