#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace particles {

// A value over a particle's life, given at times from 0 (birth) to 1 (death)
// and interpolated linearly in between.
struct CurveKey {
  float at = 0.0f;
  float value[3] = {0.0f, 0.0f, 0.0f};
};
using Curve = std::vector<CurveKey>;

enum class EmissionShape { kPoint, kCircle, kRing, kRect, kLine };

// One kind of particle of an emitter. Times are seconds, distances pixels,
// angles degrees clockwise from straight up.
struct ParticleTypeDef {
  std::uint32_t atlas = 0;
  float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
  bool intense = false;
  float rate = 0.0f;        // per second while the emitter emits
  std::uint32_t burst = 0;  // at each start of the emitter's cycle
  std::uint32_t limit = 0;  // live particles at most
  float life = 1.0f, lifeVariation = 0.0f;
  float speed = 0.0f, speedVariation = 0.0f;
  float direction = 0.0f, spread = 0.0f;
  float gravityX = 0.0f, gravityY = 0.0f;
  float size = 16.0f, sizeEnd = 16.0f, sizeVariation = 0.0f;
  float spin = 0.0f, spinVariation = 0.0f;
  bool randomAngle = false;
  bool alignToMotion = false;
  Curve colour;  // r, g, b in [0, 1]
  Curve alpha;   // value[0] in [0, 1]
};

struct EmitterDef {
  std::string name;
  float duration = 1.0f;
  float warmup = 0.0f;
  std::int32_t loopMode = 0;  // 0 once, 1 loops, 2 emits forever
  float step = 0.03f;         // the update time without interpolation
  EmissionShape shape = EmissionShape::kPoint;
  float width = 0.0f, height = 0.0f;
  std::uint32_t seed = 0;
  std::vector<ParticleTypeDef> types;
};

}  // namespace particles
