#pragma once

#include <memory>
#include <string>

namespace render {
class ParticleEmitter;
}

// One particle emitter of a map effect, run at its own speed.
class ParticleEffect {
 public:
  // The named template of the loaded particle file; no emitter (an effect
  // that shows nothing) when there is no such template.
  explicit ParticleEffect(const std::string& effectName);
  ParticleEffect(const ParticleEffect&) = delete;
  ParticleEffect& operator=(const ParticleEffect&) = delete;
  // A running emitter is switched to finishing before it goes.
  ~ParticleEffect();

  void update(float dt);
  // A running emitter stops emitting and lets its live particles play out.
  void finish();

  render::ParticleEmitter* emitter() const { return emitter_.get(); }

  float speed = 1.0f;
  // The scaled time run so far.
  float elapsed = 0.0f;

 private:
  std::unique_ptr<render::ParticleEmitter> emitter_;
};
