#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/Particles/EmitterDef.h"
#include "Platform/Particles/Random.h"

namespace particles {

// The particles that draw with one texture and one blending kind, in the
// order they are drawn.
struct RenderedList {
  std::uint32_t count = 0;
  std::uint32_t textureIndex = 0;  // into the atlases of the emitter's file
  bool intense = false;            // drawn additively
};

struct QuadCorner {
  float x = 0.0f, y = 0.0f, u = 0.0f, v = 0.0f;
};

// Corners clockwise from the particle's own top left.
struct ParticleQuad {
  QuadCorner corners[4];
  std::uint32_t colour = 0;  // 0xAARRGGBB
};

// One simulated effect. Time is given in milliseconds.
class Emitter {
 public:
  Emitter(std::shared_ptr<const EmitterDef> def, std::uint32_t seed);

  // A new emitter of the same effect and settings that simulates on its own,
  // from a seed of its own.
  std::unique_ptr<Emitter> Duplicate();

  void SetInterpolation(bool on) { interpolation_ = on; }
  bool IsInterpolation() const { return interpolation_; }
  void SetLoopMode(std::int32_t mode) { loopMode_ = mode; }
  double GetUpdateTime() const { return def_->step * 1000.0; }

  // Starts the play over: the live particles go and the warm-up is simulated
  // at once.
  void Start();
  // False once the effect is over (or when it is not playing); it is then
  // no longer playing.
  bool Update(double milliseconds);
  // Ends the play at once, particles included.
  void Stop();
  bool IsPlaying() const { return playing_; }
  // Interrupted: nothing new is emitted, the live particles play out.
  void SetInterrupt(bool on) { interrupt_ = on; }
  bool IsInterrupt() const { return interrupt_; }

  // Mode 1 carries the live particles along with the emitter.
  void SetPositionMode(std::int32_t mode) { positionMode_ = mode; }
  void SetPosition(float x, float y);
  void GetPosition(float& x, float& y) const;
  void SetDirection(float degrees) { direction_ = degrees; }

  std::size_t GetParticleCount() const;

  // The first list of the live particles, at most maxCount in one list, and
  // the lists after it; a count of 0 ends the walk. The quads of a list are
  // read one by one after it is made.
  void FirstRenderedList(RenderedList& list, std::uint32_t maxCount);
  void NextRenderedList(RenderedList& list);
  bool NextParticleQuad(ParticleQuad& quad);

 private:
  struct Particle {
    float x, y, vx, vy;
    float age, life;
    float sizeStart, sizeEnd;
    float angle, spin;
  };

  void Step(float seconds);
  void Emit(std::size_t type, std::uint32_t count);
  void Burst();
  bool HasParticles() const { return GetParticleCount() > 0; }
  void MakeList(RenderedList& list);

  std::shared_ptr<const EmitterDef> def_;
  std::uint32_t seed_;
  Random random_;
  std::uint32_t duplicates_ = 0;
  bool interpolation_ = true;
  std::int32_t loopMode_;
  std::int32_t positionMode_ = 0;
  float x_ = 0.0f, y_ = 0.0f, direction_ = 0.0f;
  bool playing_ = false;
  bool interrupt_ = false;
  float time_ = 0.0f;
  std::vector<std::vector<Particle>> particles_;  // per type
  std::vector<float> owed_;                       // fractions of particles not yet emitted, per type

  // The walk of the rendered lists: the next particle to read and the end of
  // the current list, each as (type, index).
  std::uint32_t listMax_ = 1;
  std::size_t readType_ = 0, readIndex_ = 0;
  std::size_t endType_ = 0, endIndex_ = 0;
};

}  // namespace particles
