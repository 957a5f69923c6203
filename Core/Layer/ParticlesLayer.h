#pragma once

#include "Core/Layer/Layer.h"

namespace render {
class ParticleEmitter;
}

namespace layer {

// Draws the particles of one emitter; its owner updates the emitter. The
// mouse never hits it.
class ParticlesLayer : public Layer {
 public:
  ParticlesLayer() = default;
  ~ParticlesLayer() override;

  render::ParticleEmitter* GetEmitter() const { return emitter_; }
  // An owned previous emitter is deleted; an owned new one goes with the
  // layer.
  void SetEmitter(render::ParticleEmitter* emitter, bool owns);

  QLResultEnum Draw(render::Graphics* graphics) override;

 private:
  render::ParticleEmitter* emitter_ = nullptr;
  bool ownsEmitter_ = false;
};

}  // namespace layer
