#pragma once

#include <cstdint>

#include "Core/Base/MathAABB.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/GraphicsFriend.h"

namespace render {

class Graphics;
class ParticleEmitter;

// The live particles of an emitter.
class DrawParticlesParam {
 public:
  DrawParticlesParam(Graphics* graphics, ParticleEmitter* emitter) : emitter(emitter) {
    this->graphics.Attach(graphics);
  }

  QLResultEnum Draw(DrawParam* param);

  GraphicsFriend graphics;
  ParticleEmitter* emitter = nullptr;
  std::int32_t* outParticleCount = nullptr;
  math::AABB* outBounds = nullptr;             // the vertices before any transform
  math::AABB* outTransformedBounds = nullptr;  // after the parameter's transform
};

}  // namespace render
