#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "Core/Base/MathRandom.h"
#include "Core/Base/MathScalar.h"

namespace {

struct MoveCase {
  float start;
  float step;
  float target;
  std::vector<std::pair<float, bool>> calls;  // value and result after each call
};

TEST(MathMoveTowardsTest, StepsUntilItReportsArrival) {
  const MoveCase cases[] = {
      {0.0f, 0.5f, 1.0f, {{0.5f, false}, {1.0f, false}, {1.0f, true}}},
      {0.0f, 2.0f, 1.0f, {{1.0f, true}}},
      {1.0f, 0.375f, 0.0f, {{0.625f, false}, {0.25f, false}, {0.0f, true}}},
      {3.0f, 1.0f, 3.0f, {{3.0f, true}}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " towards " << c.target << " by " << c.step);
    float value = c.start;
    for (const auto& [expectedValue, expectedResult] : c.calls) {
      EXPECT_EQ(math::MoveTowards(value, c.step, c.target), expectedResult);
      EXPECT_EQ(value, expectedValue);
    }
  }
}

// Expected values worked out independently from the hash in 32-bit unsigned
// arithmetic; written as hex floats because they must match to the bit.
constexpr float kRandomOfSeed0 = 0x1.2892aap-5f;
constexpr float kRandomOfSeed1 = 0x1.058db2p-3f;  // hash 0x20B1B623, 0.12771167
constexpr float kRandomOfSeed2 = 0x1.c72af6p-2f;  // 0.44449982
constexpr float kRandomOfSeed3 = 0x1.9ed502p-5f;

TEST(MathRandomTest, MatchesTheHashOfTheSeed) {
  const std::pair<std::uint32_t, float> cases[] = {
      {1u, kRandomOfSeed1},
      {2u, kRandomOfSeed2},
      {3u, kRandomOfSeed3},
      {0x12345678u, 0x1.c8442cp-2f},
      {0xFFFFFFFFu, 0x1.88cf92p-1f},
      {15891457u, 0x1.fffffep-1f},  // hash 0xFFFFFF61 rounds down to the float below 2^32
      {26244664u, 1.0f},            // hash 0xFFFFFFA2 rounds up to 2^32
  };
  for (const auto& [seed, expected] : cases) {
    EXPECT_EQ(math::Random(seed), expected) << "seed " << seed;
  }
}

TEST(MathRandomTest, RangeScalesTheSameHash) {
  EXPECT_EQ(math::RandomRange(-5.0f, 3.0f, 1), -0x1.fd3928p+1f);
  EXPECT_EQ(math::RandomRange(20.0f, 100.0f, 7), 0x1.572258p+4f);
  EXPECT_EQ(math::RandomRange(0.0f, 1.0f, 2), kRandomOfSeed2);
  EXPECT_EQ(math::RandomRange(4.5f, 4.5f, 9), 4.5f);
}

TEST(MathRandomTest, SeedZeroContinuesFromTheLastSeedUsed) {
  math::Random(41);
  const float first = math::Random(0);
  const float second = math::RandomRange(0.0f, 1.0f, 0);
  const float third = math::Random(0);
  EXPECT_EQ(first, math::Random(42));
  EXPECT_EQ(second, math::Random(43));
  EXPECT_EQ(third, math::Random(44));
}

TEST(MathRandomTest, SequenceWrapsAroundAfterTheLargestSeed) {
  math::Random(0xFFFFFFFFu);
  EXPECT_EQ(math::Random(0), kRandomOfSeed0);
  EXPECT_EQ(math::Random(0), kRandomOfSeed1);
}

// The sequence must start afresh in every run, which only a new process shows.
TEST(MathRandomDeathTest, EveryRunStartsTheSequenceAtSeedOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool repeats = math::Random(0) == kRandomOfSeed1 &&
                             math::Random(0) == kRandomOfSeed2 && math::Random(0) == kRandomOfSeed3;
        std::_Exit(repeats ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
