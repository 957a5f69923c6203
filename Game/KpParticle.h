#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Core/Base/MathTransform2D.h"

namespace render {
class Graphics;
class ParticleEmitter;
}  // namespace render

class KpEnemy;

// Particle emitters drawn under one transform.
class KpParticle {
 public:
  // One looping, running emitter of the named template; none for an empty
  // name.
  explicit KpParticle(const std::string& emitterName);
  KpParticle(const KpParticle&) = delete;
  KpParticle& operator=(const KpParticle&) = delete;
  virtual ~KpParticle();

  virtual void draw(render::Graphics& graphics);
  virtual void update(float dt);
  // Every emitter stops emitting and lets its particles play out.
  void finish();
  // At least one emitter and every one running.
  bool isRunning() const;

  // Owned.
  std::vector<render::ParticleEmitter*> emitters;
  math::Transform2D transform;
};

// A row of emitters from a point to a moving enemy: a tower's beam.
class KpBeamParticle : public KpParticle {
 public:
  KpBeamParticle(float startX, float startY, KpEnemy* target, const std::string& emitterName);

  void draw(render::Graphics& graphics) override;
  void update(float dt) override;
  // How far along the full-grown beam the emitter stands.
  float emitterDistance(std::size_t index) const;

  std::string emitterName;
  float spacing = 30.0f;
  float grow = 0.0f;
  float startX;
  float startY;
  // Not owned; null once the unit has gone.
  KpEnemy* target;
  // Where the beam last reached the unit.
  float endX = 0.0f;
  float endY = 0.0f;

 private:
  float length() const;
  // Points the transform from the start towards the end.
  void aim();
  void fitEmitterCount();
};
