#include "Game/HeldParticleEffect.h"

#include <algorithm>

#include "Core/Render/ParticleEmitter.h"
#include "Game/KpMap.h"

std::unique_ptr<ParticleEffect> StartParticleEffect(const std::string& name, float x, float y, bool looping) {
  // The effect logs a template it cannot find.
  auto effect = std::make_unique<ParticleEffect>(name);
  render::ParticleEmitter* emitter = effect->emitter();
  if (!emitter) return nullptr;
  emitter->SetLoopMode(looping ? 1 : 0);
  emitter->SetPosition(x, y, 1);
  emitter->SetState(render::ParticleEmitter::kRunning);
  return effect;
}

void StartHitEffect(KpMap& map, const std::string& name, float x, float y) {
  if (std::unique_ptr<ParticleEffect> effect = StartParticleEffect(name, x, y, false))
    map.hitEmitters.push_back(effect.release());
}

void HeldParticleEffect::start(KpMap& map, const std::string& name, float x, float y) {
  release();
  tried_ = true;
  effect_ = StartParticleEffect(name, x, y, true);
  if (!effect_) return;
  map_ = &map;
  map_->heldEffects.push_back(effect_.get());
}

void HeldParticleEffect::update(float dt) {
  if (effect_) effect_->update(dt);
}

void HeldParticleEffect::release() {
  tried_ = false;
  if (!effect_) return;
  std::vector<ParticleEffect*>& held = map_->heldEffects;
  held.erase(std::remove(held.begin(), held.end(), effect_.get()), held.end());
  effect_.reset();
  map_ = nullptr;
}
