#pragma once

#include <cstdint>
#include <vector>

#include "Core/Base/Result.h"

namespace base {
class Stream;
}

namespace animation {

// How the span that a key ends is interpolated.
enum EnvelopeShape : std::uint32_t {
  kShapeTcb = 0,      // p0 tension, p1 continuity, p2 bias
  kShapeHermite = 1,  // p0 incoming tangent, p1 outgoing tangent
  kShapeBezier = 2,   // as Hermite
  kShapeLinear = 3,
  kShapeStepped = 4,
  // p0, p1: the incoming handle's time and value offsets; p2, p3: the
  // outgoing handle's.
  kShapeBezier2D = 5,
};

// What an envelope does before its first key and after its last.
enum EnvelopeBehaviour : std::uint32_t {
  kBehaviourReset = 0,
  kBehaviourConstant = 1,
  kBehaviourRepeat = 2,
  kBehaviourOscillate = 3,
  kBehaviourOffsetRepeat = 4,
  kBehaviourLinear = 5,
};

// The same 36 bytes in memory as in the file. p4 and p5 are kept unread.
struct EnvelopeKey {
  float value = 0.0f;
  float time = 0.0f;
  std::uint32_t shape = kShapeTcb;
  float p[6] = {};
};
static_assert(sizeof(EnvelopeKey) == 36);

// One keyframed channel. Evaluation takes the keys to be in order of time.
struct Envelope {
  // 1 on a short read, keys included.
  QLResultEnum Read(base::Stream& stream);

  std::uint32_t pre = kBehaviourReset;
  std::uint32_t post = kBehaviourReset;
  std::vector<EnvelopeKey> keys;
};

float EvaluateEnvelope(const Envelope& envelope, float time);

}  // namespace animation
