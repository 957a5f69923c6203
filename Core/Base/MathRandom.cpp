#include "Core/Base/MathRandom.h"

#include <bit>

namespace math {
namespace {

std::uint32_t lastSeed = 0;

constexpr float kTwoToMinus32 = 0x1p-32f;

std::uint32_t TakeSeed(std::uint32_t seed) {
  lastSeed = seed == 0 ? lastSeed + 1 : seed;
  return lastSeed;
}

std::uint32_t Hash(std::uint32_t seed) {
  constexpr std::uint32_t kGoldenRatio = 0x9E3779B9u;
  std::uint32_t x = (seed ^ 0x00BC602Fu) * kGoldenRatio;
  x ^= std::rotl(x, 6);
  x *= kGoldenRatio;
  x += (x >> 12) ^ (x << 5);
  return x;
}

}  // namespace

float Random(std::uint32_t seed) {
  return static_cast<float>(Hash(TakeSeed(seed))) * kTwoToMinus32;
}

float RandomRange(float a, float b, std::uint32_t seed) {
  const float hash = static_cast<float>(Hash(TakeSeed(seed)));
  return hash * (b - a) * kTwoToMinus32 + a;
}

}  // namespace math
