#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <limits>
#include <ostream>
#include <string>

#include "Core/Base/TextConversion.h"
#include "Game/Game.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpPoint.h"
#include "Game/KpWaveHints.h"
#include "Platform/Browser.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/GraphicsDriver.h"

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

// The game started on its built data, for the hint picture of "kp/ui".
class WaveHintsGameTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    platform::OverrideUrlOpener([](const std::string&) {});
    framework_test::TestGame::NextHooks().create = [] { return new Game; };
    auto& game = static_cast<Game&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    ASSERT_EQ(game.PlatformInit(), QL_OK);
    ASSERT_EQ(game.Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
  }

  void TearDown() override {
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  static KpPoint Point(float x, float y) {
    tinyxml2::XMLDocument document;
    document.Parse(("<point id='1' x='" + std::to_string(x) + "' y='" + std::to_string(y) + "'/>").c_str());
    return KpPoint(*document.RootElement(), 1.0f);
  }
};

TEST_F(WaveHintsGameTest, AHintIsItsPicturesSizeAndOnlyItsInsideIsHit) {
  KpWaveHints hints;
  hints.add(Point(1010.0f, 40.0f));
  ASSERT_EQ(hints.hints().size(), 1u);
  const KpFrameEntry& hint = *hints.hints()[0];
  EXPECT_EQ(hint.width, 48.0f);
  EXPECT_EQ(hint.height, 48.0f);
  EXPECT_EQ(hint.x, 976.0f);
  EXPECT_EQ(hint.y, 100.0f);
  EXPECT_FALSE(hints.hitTest(976, 120)) << "the left edge";
  EXPECT_TRUE(hints.hitTest(977, 120));
  EXPECT_TRUE(hints.hitTest(1023, 147));
  EXPECT_FALSE(hints.hitTest(1000, 148)) << "the bottom edge";
  EXPECT_FALSE(hints.hitTest(1000, 100)) << "the top edge";

  hints.add(Point(300.0f, 650.0f));
  EXPECT_TRUE(hints.hitTest(310, 630)) << "any hint is hit";
  hints.clear();
  EXPECT_FALSE(hints.hitTest(977, 120));
}

}  // namespace
