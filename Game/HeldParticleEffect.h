#pragma once

#include <memory>
#include <string>

#include "Game/ParticleEffect.h"

class KpMap;

// A new particle effect of the template, running at the point; null, with a
// line in the log, when the loaded particle file has no such template.
std::unique_ptr<ParticleEffect> StartParticleEffect(const std::string& name, float x, float y, bool looping);

// Starts a one-shot effect into the map's hit effects, which advance, draw
// and delete it; nothing when the template is missing.
void StartHitEffect(KpMap& map, const std::string& name, float x, float y);

// A looping particle effect that a timed effect keeps while it lasts, such as
// a portal. The holder owns it and advances it once per frame; the map only
// draws it, through its list of held effects. Letting it go (or destroying
// the holder) switches it to finishing and deletes it, so no list is ever
// left pointing at it.
class HeldParticleEffect {
 public:
  HeldParticleEffect() = default;
  HeldParticleEffect(const HeldParticleEffect&) = delete;
  HeldParticleEffect& operator=(const HeldParticleEffect&) = delete;
  ~HeldParticleEffect() { release(); }

  // One attempt per holding: a template the data lacks is logged once and
  // not asked for again until the next release.
  void start(KpMap& map, const std::string& name, float x, float y);
  void update(float dt);
  void release();

  // Started, whether or not the template existed.
  bool tried() const { return tried_; }
  ParticleEffect* effect() const { return effect_.get(); }

 private:
  KpMap* map_ = nullptr;
  std::unique_ptr<ParticleEffect> effect_;
  bool tried_ = false;
};
