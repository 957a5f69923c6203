#pragma once

#include <cstdint>

namespace math {

// A hash of the seed mapped onto [0, 1]; hashes from 0xFFFFFF80 up round to
// exactly 1. A seed of 0 continues the process-wide sequence (the last seed
// used plus one, starting from 1), so every run draws the same numbers.
float Random(std::uint32_t seed);

// a + (b - a) * Random(seed), rounded in the order the game's figures expect.
float RandomRange(float a, float b, std::uint32_t seed);

}  // namespace math
