#include "Core/Render/DrawParticlesParam.h"

#include "Core/Render/ParticleEmitter.h"

namespace render {

QLResultEnum DrawParticlesParam::Draw(DrawParam* param) {
  if (!emitter) return QL_OK;
  ParticleDrawOutput output;
  output.bounds = outBounds;
  output.transformedBounds = outTransformedBounds;
  if (const QLResultEnum result = emitter->Draw(graphics.GetGraphics(), param, &output); result != QL_OK) {
    return result;
  }
  if (outParticleCount) *outParticleCount = output.particleCount;
  return QL_OK;
}

}  // namespace render
