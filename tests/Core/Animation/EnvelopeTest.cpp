#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Core/Animation/Envelope.h"

namespace {

using namespace animation;

EnvelopeKey Key(float time, float value, std::uint32_t shape = kShapeLinear, float p0 = 0, float p1 = 0, float p2 = 0,
                float p3 = 0) {
  return {value, time, shape, {p0, p1, p2, p3, 0, 0}};
}

// A behaviour code outside the known ones leaves the time as it is.
constexpr std::uint32_t kUnknownBehaviour = 7;
constexpr std::uint32_t kUnknownShape = 9;

struct EnvelopeCase {
  std::string name;
  std::vector<EnvelopeKey> keys;
  std::uint32_t pre;
  std::uint32_t post;
  float time;
  float expected;
};

const std::vector<EnvelopeKey> kRamp = {Key(0, 0), Key(2, 10)};
const std::vector<EnvelopeKey> kLateRamp = {Key(1, 4), Key(3, 10)};
const std::vector<EnvelopeKey> kUnitSlope = {Key(0, 0), Key(1, 2)};
const std::vector<EnvelopeKey> kSameTime = {Key(1, 4), Key(1, 10)};
// Handles a third of the span in, flat in value: the smoothstep curve.
const std::vector<EnvelopeKey> kSmooth = {Key(0, 0, kShapeBezier2D, 0, 0, 1.0f / 3, 0),
                                          Key(1, 10, kShapeBezier2D, -1.0f / 3, 0, 0, 0)};

std::string CaseName(const ::testing::TestParamInfo<EnvelopeCase>& info) { return info.param.name; }

class EnvelopeTest : public ::testing::TestWithParam<EnvelopeCase> {};

TEST_P(EnvelopeTest, Evaluates) {
  const EnvelopeCase& c = GetParam();
  const Envelope envelope{c.pre, c.post, c.keys};
  const float value = EvaluateEnvelope(envelope, c.time);
  EXPECT_FALSE(std::isnan(value));
  EXPECT_NEAR(value, c.expected, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, EnvelopeTest,
    ::testing::Values(
        EnvelopeCase{"NoKeys", {}, kBehaviourConstant, kBehaviourConstant, 5, 0},
        EnvelopeCase{"OneKey", {Key(1, 7)}, kBehaviourReset, kBehaviourLinear, -30, 7},
        EnvelopeCase{"AtKeyTime", kRamp, kBehaviourReset, kBehaviourReset, 2, 10},
        // Tangents equal to the step make a straight line; tension shortens them.
        EnvelopeCase{"TcbTwoKeys", {Key(0, 0, kShapeTcb), Key(1, 10, kShapeTcb)}, 0, 0, 0.25f, 2.5f},
        EnvelopeCase{"TcbTension", {Key(0, 0, kShapeTcb, 0.5f), Key(1, 10, kShapeTcb, 0.5f)}, 0, 0, 0.25f, 2.03125f},
        EnvelopeCase{
            "TcbWithPrevious", {Key(0, 0, kShapeTcb), Key(1, 10, kShapeTcb), Key(2, 0, kShapeTcb)}, 0, 0, 1.5f, 6.25f},
        EnvelopeCase{"Hermite", {Key(0, 0, kShapeHermite, 0, 4), Key(1, 10, kShapeHermite, 2)}, 0, 0, 0.5f, 5.25f},
        EnvelopeCase{"Bezier", {Key(0, 0, kShapeBezier, 0, 4), Key(1, 10, kShapeBezier, 2)}, 0, 0, 0.5f, 5.25f},
        EnvelopeCase{"Linear", kRamp, 0, 0, 0.5f, 2.5f},
        EnvelopeCase{"Stepped", {Key(0, 3), Key(1, 10, kShapeStepped)}, 0, 0, 0.9f, 3},
        EnvelopeCase{"Bezier2D", kSmooth, 0, 0, 0.25f, 1.5625f},
        EnvelopeCase{"UnknownShape", {Key(0, 3), Key(1, 10, kUnknownShape)}, 0, 0, 0.5f, 0}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Behaviours, EnvelopeTest,
    ::testing::Values(EnvelopeCase{"PreReset", kLateRamp, kBehaviourReset, 0, 0, 0},
                      EnvelopeCase{"PreConstant", kLateRamp, kBehaviourConstant, 0, 0, 4},
                      EnvelopeCase{"PreRepeat", kLateRamp, kBehaviourRepeat, 0, 0, 7},
                      // Mirrored within the keys' own range, which does not start at 0.
                      EnvelopeCase{"PreOscillate", kLateRamp, kBehaviourOscillate, 0, 0.5f, 5.5f},
                      EnvelopeCase{"PreOffsetRepeat", kLateRamp, kBehaviourOffsetRepeat, 0, 0.5f, 2.5f},
                      EnvelopeCase{"PreLinear", kUnitSlope, kBehaviourLinear, 0, -1, -2},
                      EnvelopeCase{"PreLinearLateRamp", kLateRamp, kBehaviourLinear, 0, 0, 1},
                      EnvelopeCase{"PreUnknown", kLateRamp, kUnknownBehaviour, 0, 0, 1},
                      EnvelopeCase{"PostReset", kRamp, 0, kBehaviourReset, 3, 0},
                      EnvelopeCase{"PostConstant", kRamp, 0, kBehaviourConstant, 3, 10},
                      EnvelopeCase{"PostRepeat", kRamp, 0, kBehaviourRepeat, 3, 5},
                      EnvelopeCase{"PostOscillate", kRamp, 0, kBehaviourOscillate, 3, 5},
                      EnvelopeCase{"PostOscillateLater", kRamp, 0, kBehaviourOscillate, 2.5f, 7.5f},
                      EnvelopeCase{"PostOscillateLateRamp", kLateRamp, 0, kBehaviourOscillate, 4, 7},
                      EnvelopeCase{"PostOscillateEvenRange", kLateRamp, 0, kBehaviourOscillate, 5.5f, 5.5f},
                      EnvelopeCase{"PostOffsetRepeat", kRamp, 0, kBehaviourOffsetRepeat, 3, 15},
                      EnvelopeCase{"PostOffsetRepeatAtKey", kRamp, 0, kBehaviourOffsetRepeat, 4, 20},
                      EnvelopeCase{"PostLinear", kUnitSlope, 0, kBehaviourLinear, 3, 6},
                      EnvelopeCase{"PostUnknown", kLateRamp, 0, kUnknownBehaviour, 4, 13}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Degenerate, EnvelopeTest,
    ::testing::Values(EnvelopeCase{"RepeatAllAtOneTime", kSameTime, kBehaviourRepeat, kBehaviourRepeat, 0, 4},
                      EnvelopeCase{"OscillateAllAtOneTime", kSameTime, kBehaviourOscillate, kBehaviourOscillate, 3, 4},
                      // Two keys at one time are a jump.
                      EnvelopeCase{"JumpBefore", kSameTime, kUnknownBehaviour, kUnknownBehaviour, 0, 4},
                      EnvelopeCase{"JumpAfter", kSameTime, kUnknownBehaviour, kUnknownBehaviour, 2, 10},
                      EnvelopeCase{"JumpTcb",
                                   {Key(1, 0, kShapeTcb), Key(1, 5, kShapeTcb), Key(1, 10, kShapeTcb)},
                                   kUnknownBehaviour,
                                   kUnknownBehaviour,
                                   2,
                                   10},
                      EnvelopeCase{"LinearPreAtOneTime", kSameTime, kBehaviourLinear, kBehaviourLinear, 0, 4},
                      EnvelopeCase{"LinearPostAtOneTime", kSameTime, kBehaviourLinear, kBehaviourLinear, 2, 10},
                      // Keys out of order: the neighbour sits at the span's far end.
                      EnvelopeCase{"NeighbourAtSpanEnd",
                                   {Key(2, 0, kShapeTcb), Key(1, 5, kShapeTcb), Key(2, 10, kShapeTcb)},
                                   kUnknownBehaviour,
                                   0,
                                   1.5f,
                                   7.5f},
                      // A handle without time length is steep, not infinite.
                      EnvelopeCase{"Bezier2DVerticalHandle",
                                   {Key(0, 0, kShapeBezier2D, 0, 0, 0, 0.001f), Key(1, 10, kShapeTcb)},
                                   0,
                                   0,
                                   0.5f,
                                   16.25f},
                      // The curve never reaches these times: the search still ends.
                      EnvelopeCase{"Bezier2DPastSpan", kSmooth, kUnknownBehaviour, kUnknownBehaviour, 3, 10},
                      EnvelopeCase{"Bezier2DBeforeSpan", kSmooth, kUnknownBehaviour, kUnknownBehaviour, -3, 0},
                      EnvelopeCase{"Bezier2DWithinTolerance", kSmooth, kUnknownBehaviour, kUnknownBehaviour, 1.00015f,
                                   10}),
    CaseName);

// A time that is no number, or endless, still ends the curve's search. It
// gives a value of the curve where the behaviour stays within the keys, and
// an endless one where every repeat adds the keys' rise.
TEST(EnvelopeNanTest, NonFiniteTimesEnd) {
  const Envelope envelope{kBehaviourOscillate, kBehaviourOffsetRepeat, kSmooth};
  for (const float time : {std::nanf(""), -INFINITY}) {
    const float value = EvaluateEnvelope(envelope, time);
    EXPECT_GE(value, 0.0f) << time;
    EXPECT_LE(value, 10.0f) << time;
  }
  EXPECT_EQ(EvaluateEnvelope(envelope, INFINITY), INFINITY);
}

}  // namespace
