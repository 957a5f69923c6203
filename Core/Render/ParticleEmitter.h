#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Core/Base/MathAABB.h"
#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Render/GraphicsFriend.h"

namespace particles {
class Emitter;
}

namespace render {

class DrawParam;
class Graphics;
class Image;
class ParticleSystem;

// What one draw of an emitter reports back. The bounds are optional; each one
// given is reset and then holds every particle corner drawn.
struct ParticleDrawOutput {
  std::int32_t particleCount = 0;
  math::AABB* bounds = nullptr;             // the corners as the engine gave them
  math::AABB* transformedBounds = nullptr;  // after the draw parameter's transform
};

// One playing instance of a particle effect, made from its system's template
// of the same name and owned by whoever made it. It draws with its system's
// atlases, so it is drawn only while that system exists.
class ParticleEmitter : base::NoCopy {
 public:
  enum State : std::int32_t { kStopped = 0, kRunning = 1, kFinishing = 2 };

  ~ParticleEmitter();

  // Finishing stops the emission and lets the live particles play out.
  void SetState(std::int32_t state);
  std::int32_t GetState() const { return state_; }

  // Returns the emitter to state 0 once its effect is over.
  void Update(double seconds);

  // Draws the live particles, one indexed draw per texture and blending kind;
  // a list whose atlas is missing is skipped. The Graphics' blend mode is the
  // same afterwards, whether or not the draw succeeded. Param and output may
  // be null.
  QLResultEnum Draw(Graphics* g, DrawParam* param, ParticleDrawOutput* output);

  // Mode 1 takes the live particles along; mode 0 moves only the source.
  void SetPosition(float x, float y, std::int32_t mode);
  void GetPosition(float& x, float& y) const;
  // Degrees clockwise from straight up.
  void SetDirection(float angle);
  // 1 loops, 2 emits forever, anything else plays once.
  void SetLoopMode(std::int32_t mode);

  // The engine's emitter, for what this class does not pass on.
  particles::Emitter& GetEngineEmitter() const { return *emitter_; }

 private:
  friend class ParticleSystem;

  ParticleEmitter(const ParticleSystem& system, std::unique_ptr<particles::Emitter> emitter, std::size_t atlasBase);

  QLResultEnum DrawList(Graphics& g, Image& atlas, DrawParam* param, ParticleDrawOutput* output, std::uint32_t count);

  void EnterInterval(std::int32_t previousState);

  GraphicsFriend friend_;
  std::unique_ptr<particles::Emitter> emitter_;
  std::int32_t state_ = kStopped;
  const ParticleSystem& system_;
  // Where the atlases of this emitter's file start in the system's list.
  std::size_t atlasBase_ = 0;
};

}  // namespace render
