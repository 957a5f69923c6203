#include <cmath>

#include "Core/Animation/Envelope.h"

namespace animation {

namespace {

// A time this close before a key still belongs to the span that key ends.
constexpr float kSpanTolerance = 0.0002f;
// A 2D Bezier handle shorter than this in time counts as vertical.
constexpr float kFlatHandle = 0.00001f;
constexpr float kFlatHandleFactor = 100000.0f;
constexpr float kBezierTimeTolerance = 0.0001f;
// Halving [0, 1] this often reaches the float resolution many times over; a
// time the curve never comes close to (before or after the span) ends there.
constexpr int kBezierTimeSteps = 64;

// The slope handle of a 2D Bezier key, guarded against a zero time offset.
float HandleSlope(float span, float valueOffset, float timeOffset) {
  if (std::fabs(timeOffset) <= kFlatHandle) return span * valueOffset * kFlatHandleFactor;
  return span * valueOffset / timeOffset;
}

// A neighbour at the same time as the far end of the span carries no timing,
// so the tangent is taken as if it were not there.
const EnvelopeKey* UsableNeighbour(const EnvelopeKey* neighbour, float farTime) {
  return neighbour && neighbour->time != farTime ? neighbour : nullptr;
}

float OutgoingTangent(const EnvelopeKey& key0, const EnvelopeKey& key1, const EnvelopeKey* prev) {
  prev = UsableNeighbour(prev, key1.time);
  const float d = key1.value - key0.value;
  const float ratio = prev ? (key1.time - key0.time) / (key1.time - prev->time) : 1.0f;
  switch (key0.shape) {
    case kShapeTcb: {
      const float tension = key0.p[0];
      const float continuity = key0.p[1];
      const float bias = key0.p[2];
      const float towardsNext = (1 - tension) * (1 - continuity) * (1 - bias) * d;
      if (!prev) return towardsNext;
      return ratio * ((1 - tension) * (1 + continuity) * (1 + bias) * (key0.value - prev->value) + towardsNext);
    }
    case kShapeHermite:
    case kShapeBezier:
      return key0.p[1] * ratio;
    case kShapeLinear:
      return prev ? ratio * (key0.value - prev->value + d) : d;
    case kShapeBezier2D:
      return HandleSlope(key1.time - key0.time, key0.p[3], key0.p[2]);
    default:
      return 0.0f;
  }
}

float IncomingTangent(const EnvelopeKey& key0, const EnvelopeKey& key1, const EnvelopeKey* next) {
  next = UsableNeighbour(next, key0.time);
  const float d = key1.value - key0.value;
  const float ratio = next ? (key1.time - key0.time) / (next->time - key0.time) : 1.0f;
  switch (key1.shape) {
    case kShapeTcb: {
      const float tension = key1.p[0];
      const float continuity = key1.p[1];
      const float bias = key1.p[2];
      const float fromPrevious = (1 - tension) * (1 - continuity) * (1 + bias) * d;
      if (!next) return fromPrevious;
      return ratio * ((1 - tension) * (1 + continuity) * (1 - bias) * (next->value - key1.value) + fromPrevious);
    }
    case kShapeHermite:
    case kShapeBezier:
      return key1.p[0] * ratio;
    case kShapeLinear:
      return next ? ratio * (next->value - key1.value + d) : d;
    case kShapeBezier2D:
      return HandleSlope(key1.time - key0.time, key1.p[1], key1.p[0]);
    default:
      return 0.0f;
  }
}

struct WrappedTime {
  float time;
  // Whole ranges between the first key and the time, negative before it.
  float cycles;
};

WrappedTime WrapEnvelopeTime(float time, float lo, float hi) {
  const float range = hi - lo;
  if (range == 0.0f) return {lo, 0.0f};
  const float cycles = std::floor((time - lo) / range);
  return {time - cycles * range, cycles};
}

bool IsOdd(float cycles) { return std::fmod(cycles, 2.0f) != 0.0f; }

float Bezier(float a0, float a1, float a2, float a3, float u) {
  const float q1 = 3 * (a1 - a0);
  const float q2 = 3 * (a2 - a1) - q1;
  const float q3 = a3 - a0 - q1 - q2;
  return ((q3 * u + q2) * u + q1) * u + a0;
}

// The curve parameter at which the time curve reaches the time, by halving.
float SolveBezierTime(float x0, float x1, float x2, float x3, float time) {
  float lo = 0.0f;
  float hi = 1.0f;
  float u = 0.5f;
  for (int step = 0; step < kBezierTimeSteps; ++step) {
    u = lo + (hi - lo) * 0.5f;
    const float x = Bezier(x0, x1, x2, x3, u);
    if (std::fabs(time - x) <= kBezierTimeTolerance) break;
    if (x > time) {
      hi = u;
    } else {
      lo = u;
    }
  }
  return u;
}

float EvaluateBezier2D(const EnvelopeKey& key0, const EnvelopeKey& key1, float time) {
  const bool ownHandle = key0.shape == kShapeBezier2D;
  const float x1 = key0.time + (ownHandle ? key0.p[2] : (key1.time - key0.time) / 3);
  const float x2 = key1.time + key1.p[0];
  const float u = SolveBezierTime(key0.time, x1, x2, key1.time, time);
  const float y1 = key0.value + (ownHandle ? key0.p[3] : key0.p[1] / 3);
  const float y2 = key1.value + key1.p[1];
  return Bezier(key0.value, y1, y2, key1.value, u);
}

float Hermite(const EnvelopeKey& key0, const EnvelopeKey& key1, float out, float in, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  const float h1 = 2 * t3 - 3 * t2 + 1;
  const float h2 = 3 * t2 - 2 * t3;
  const float h3 = t3 - 2 * t2 + t;
  const float h4 = t3 - t2;
  return h1 * key0.value + h2 * key1.value + h3 * out + h4 * in;
}

// The value between two keys, by the shape of the key that ends the span.
float EvaluateSpan(const EnvelopeKey& key0, const EnvelopeKey& key1, const EnvelopeKey* prev, const EnvelopeKey* next,
                   float time) {
  const float span = key1.time - key0.time;
  // Two keys at one time make a jump: the earlier value before it, the later
  // one after.
  if (span == 0.0f) return time < key0.time ? key0.value : key1.value;
  const float t = (time - key0.time) / span;
  switch (key1.shape) {
    case kShapeTcb:
    case kShapeHermite:
    case kShapeBezier:
      return Hermite(key0, key1, OutgoingTangent(key0, key1, prev), IncomingTangent(key0, key1, next), t);
    case kShapeLinear:
      return key0.value + t * (key1.value - key0.value);
    case kShapeStepped:
      return key0.value;
    case kShapeBezier2D:
      return EvaluateBezier2D(key0, key1, time);
    default:
      return 0.0f;
  }
}

// Keys at one time give the slope no length to run over: the line is flat.
float Extrapolate(float value, float distance, float tangent, float span) {
  return span == 0.0f ? value : value + distance * tangent / span;
}

}  // namespace

float EvaluateEnvelope(const Envelope& envelope, float time) {
  const std::vector<EnvelopeKey>& keys = envelope.keys;
  if (keys.empty()) return 0.0f;
  if (keys.size() == 1) return keys.front().value;
  const EnvelopeKey& first = keys.front();
  const EnvelopeKey& last = keys.back();
  float offset = 0.0f;

  // Outside the keys the behaviour either answers or brings the time back
  // between them.
  const bool before = time < first.time;
  const bool after = !before && time > last.time;
  if (before || after) {
    const std::uint32_t behaviour = before ? envelope.pre : envelope.post;
    switch (behaviour) {
      case kBehaviourReset:
        return 0.0f;
      case kBehaviourConstant:
        return before ? first.value : last.value;
      case kBehaviourRepeat:
        time = WrapEnvelopeTime(time, first.time, last.time).time;
        break;
      case kBehaviourOscillate: {
        const WrappedTime wrapped = WrapEnvelopeTime(time, first.time, last.time);
        // Every other range runs backwards, mirrored within the keys' range.
        time = IsOdd(wrapped.cycles) ? first.time + last.time - wrapped.time : wrapped.time;
        break;
      }
      case kBehaviourOffsetRepeat: {
        const WrappedTime wrapped = WrapEnvelopeTime(time, first.time, last.time);
        time = wrapped.time;
        offset = wrapped.cycles * (last.value - first.value);
        break;
      }
      case kBehaviourLinear:
        if (before) {
          const EnvelopeKey& second = keys[1];
          return Extrapolate(first.value, time - first.time, OutgoingTangent(first, second, nullptr),
                             second.time - first.time);
        } else {
          const EnvelopeKey& penultimate = keys[keys.size() - 2];
          return Extrapolate(last.value, time - last.time, IncomingTangent(penultimate, last, nullptr),
                             last.time - penultimate.time);
        }
      default:
        break;
    }
  }

  // The first span whose end the time has not passed; past every span, the
  // last one, without neighbours.
  std::size_t index = 0;
  while (index + 1 < keys.size() && !(keys[index + 1].time + kSpanTolerance >= time)) ++index;
  const bool found = index + 1 < keys.size();
  if (!found) index = keys.size() - 2;
  const EnvelopeKey& key0 = keys[index];
  const EnvelopeKey& key1 = keys[index + 1];
  const EnvelopeKey* prev = found && index > 0 ? &keys[index - 1] : nullptr;
  const EnvelopeKey* next = found && index + 2 < keys.size() ? &keys[index + 2] : nullptr;

  if (time == key0.time) return key0.value + offset;
  if (time == key1.time) return key1.value + offset;
  return EvaluateSpan(key0, key1, prev, next, time) + offset;
}

}  // namespace animation
