#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "Game/KpWaveHints.h"
#include "tests/Support/CaseNames.h"

namespace {

struct PlaceCase {
  const char* name;
  float pointX;
  float pointY;
  int x;
  int y;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class WaveHintPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WaveHintPlaceTest, AHintStaysOnTheScreenBetweenTheBars) {
  const PlaceCase& c = GetParam();
  const WaveHintPlace place = PlaceWaveHint(c.pointX, c.pointY, 48, 48);
  EXPECT_EQ(place.x, c.x);
  EXPECT_EQ(place.y, c.y);
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Cases, WaveHintPlaceTest,
                         ::testing::Values(PlaceCase{"PointIsTheTopLeftCorner", 300.0f, 400.0f, 300, 400},
                                           PlaceCase{"RightEdgeAndTopBar", 1010.0f, 40.0f, 976, 100},
                                           PlaceCase{"BottomBar", 300.0f, 650.0f, 300, 620},
                                           PlaceCase{"JustAboveTheBottomBar", 300.0f, 620.0f, 300, 620},
                                           PlaceCase{"LeftOfTheScreen", -20.0f, 400.0f, 0, 400},
                                           PlaceCase{"TruncatedTowardZero", 300.9f, 400.9f, 300, 400},
                                           PlaceCase{"FarOff", kInfinity, -kInfinity, 976, 100},
                                           PlaceCase{"NotANumber", kNaN, kNaN, 0, 100}),
                         testing_support::RowName());

TEST(WaveHintsTest, WithoutHintsNothingIsHit) {
  KpWaveHints hints(nullptr);
  EXPECT_FALSE(hints.hitTest(0, 0));
  EXPECT_FALSE(hints.hitTest(500, 300));
}

}  // namespace
