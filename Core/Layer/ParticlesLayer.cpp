#include "Core/Layer/ParticlesLayer.h"

#include "Core/Layer/LayerDrawState.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"

namespace layer {

ParticlesLayer::~ParticlesLayer() {
  if (ownsEmitter_) delete emitter_;
}

void ParticlesLayer::SetEmitter(render::ParticleEmitter* emitter, bool owns) {
  if (ownsEmitter_ && emitter_ != emitter) delete emitter_;
  emitter_ = emitter;
  ownsEmitter_ = owns;
}

QLResultEnum ParticlesLayer::Draw(render::Graphics* graphics) {
  if (!emitter_ || !graphics) return QL_OK;
  // The emitter picks the blending of each of its particle lists itself.
  LayerDrawState state(*graphics, *this, GetEffectiveAlpha(), render::kBlendAlpha);
  graphics->DrawParticles(emitter_);
  return QL_OK;
}

}  // namespace layer
