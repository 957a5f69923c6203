#pragma once

#include <cstdint>

namespace particles {

// A small seeded generator, so that an effect plays the same way every run.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}

  // Mixes the bits of a value; also derives seeds from names and counters.
  static std::uint32_t Hash(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
  }

  // In [0, 1).
  float Next() {
    state_ += 0x9e3779b9U;
    return static_cast<float>(Hash(state_) >> 8) * (1.0f / 16777216.0f);
  }

  // centre plus or minus up to variation.
  float Around(float centre, float variation) { return centre + variation * (2.0f * Next() - 1.0f); }

 private:
  std::uint32_t state_;
};

}  // namespace particles
