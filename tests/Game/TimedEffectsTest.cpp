// The timing rule every timed effect follows: a body run once per period,
// an end after the duration.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/KpModifier.h"
#include "tests/Support/CaseNames.h"

namespace {

// Notes the updates (counted from 1) at which its body ran.
class RecordingEffect : public KpModifier {
 public:
  RecordingEffect(float duration, float runEvery) : KpModifier("", 0.0f, duration, nullptr) { period = runEvery; }

  void apply(KpEnemy*, float) override { runs.push_back(updates); }

  void step(float dt) {
    ++updates;
    update(nullptr, dt);
  }

  int updates = 0;
  std::vector<int> runs;
};

struct TimingCase {
  const char* name;
  float period;
  float duration;
  float dt;
  int updates;
  std::vector<int> runs;
  // The update after which it is no longer active; 0 when it still is.
  int endsAt;
};

class TimingTest : public ::testing::TestWithParam<TimingCase> {};

TEST_P(TimingTest, RunsItsBodyOncePerPeriodAndEndsAfterItsDuration) {
  const TimingCase& c = GetParam();
  RecordingEffect effect(c.duration, c.period);
  int endedAt = 0;
  for (int i = 0; i < c.updates; ++i) {
    effect.step(c.dt);
    if (!effect.active && endedAt == 0) endedAt = effect.updates;
  }
  EXPECT_EQ(effect.runs, c.runs);
  EXPECT_EQ(endedAt, c.endsAt);
}

std::vector<int> EveryUpdateUpTo(int last) {
  std::vector<int> all;
  for (int i = 1; i <= last; ++i) all.push_back(i);
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    TimedEffects, TimingTest,
    ::testing::Values(
        // 0.4 + 0.4 + 0.4 passes 1.0, then the count starts from 0 again.
        TimingCase{"PeriodOneInStepsOfPointFour", 1.0f, KpModifier::kUnlimited, 0.4f, 7, {3, 6}, 0},
        // A tick of exactly the period is not past it.
        TimingCase{"PeriodOneInStepsOfOne", 1.0f, KpModifier::kUnlimited, 1.0f, 5, {2, 4}, 0},
        TimingCase{"EveryUpdateWithoutPeriod", KpModifier::kUnlimited, KpModifier::kUnlimited, 0.25f, 4,
                   EveryUpdateUpTo(4), 0},
        // It acts in the update that ends it.
        TimingCase{"DurationZeroActsOnceAndEnds", KpModifier::kUnlimited, 0.0f, 0.1f, 3, {1}, 1},
        TimingCase{"DurationThreeLastsThroughThreeSeconds", KpModifier::kUnlimited, 3.0f, 1.0f, 5, {1, 2, 3, 4}, 4},
        // The poison of a shot: 0.9 s apart, first at 55 / 60 s.
        TimingCase{"PoisonAtSixtyFramesASecond", 0.9f, 2.0f, 1.0f / 60.0f, 115, {55, 110}, 0},
        // A paused game still runs the every-update bodies, without time.
        TimingCase{"PausedGameRunsEveryUpdateBodies", KpModifier::kUnlimited, 1.0f, 0.0f, 3, EveryUpdateUpTo(3), 0}),
    testing_support::RowName());

TEST(TimedEffectsTest, AnEndedEffectNeitherRunsNorCounts) {
  RecordingEffect effect(0.0f, KpModifier::kUnlimited);
  effect.step(0.5f);
  effect.step(0.5f);
  EXPECT_EQ(effect.runs, std::vector<int>{1});
  EXPECT_FLOAT_EQ(effect.elapsed, 0.5f);
}

}  // namespace
