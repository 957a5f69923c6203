#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMapEffect.h"
#include "Game/KpMapImages.h"
#include "Game/OwnedPointers.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

struct LayoutPathCase {
  const char* name;
  const char* levelImageText;
  const char16_t* folder;
};

void PrintTo(const LayoutPathCase& c, std::ostream* out) { *out << c.name; }

class LevelLayoutPathTest : public ::testing::TestWithParam<LayoutPathCase> {
 protected:
  ~LevelLayoutPathTest() override { SingletonRegistry::Shutdown(); }
};

TEST_P(LevelLayoutPathTest, NamesTheLayoutFolderUnderTheDataRoot) {
  EXPECT_EQ(LayoutFolderOf(LevelLayoutPath(GetParam().levelImageText)), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelLayoutPathTest,
    ::testing::Values(
        LayoutPathCase{"UnderTheDataRoot", "kp/data/maps/e1_l1/background.png", u"kp/data/maps/e1_l1"},
        LayoutPathCase{"DesignersDrive", "D:/work/kp/data/maps/m1/background.png", u"kp/data/maps/m1"},
        LayoutPathCase{"DesignersBackslashes", "D:\\work\\kp\\data\\maps\\m1\\background.png", u"kp/data/maps/m1"},
        LayoutPathCase{"LastDataFolderCounts", "/a/kp/data/old/kp/data/maps/m2/bg.png", u"kp/data/maps/m2"},
        LayoutPathCase{"OtherFolderLosesItsFirstEightCharacters", "artwork/maps/m3/bg.png", u"kp/data/maps/m3"},
        LayoutPathCase{"ShorterThanThePrefix", "bg.png", u"kp/data"}, LayoutPathCase{"Empty", "", u"kp/data"}),
    testing_support::RowName());

constexpr const char* kMapLayers = R"(<Layers>
  <Layer name="background" x="0" y="0" width="1366" height="768" ind="0"/>
  <Layer name="fx/reeds1" x="120" y="340" width="8" height="8" ind="1"/>
  <Layer name="fx/reeds2" x="700" y="90" width="8" height="8" ind="2"/>
  <Layer name="^lantern" x="300" y="200" width="40" height="90" ind="3"/>
  <Layer name="fx/deep/not_a_point" x="1" y="1" width="8" height="8" ind="4"/>
</Layers>)";

class MapImagesTest : public ::testing::Test {
 protected:
  MapImagesTest() {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    root_.WriteFile("kp/data/maps/t1/layers.xml", kMapLayers);
  }
  ~MapImagesTest() override { SingletonRegistry::Shutdown(); }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
};

TEST_F(MapImagesTest, TheLayoutsTopLayersAndFxPointsAreRead) {
  KpMapImages images{SpotPictures{}};
  std::vector<KpMapEffect*> fx;
  ASSERT_TRUE(images.load(LevelLayoutPath("D:/art/kp/data/maps/t1/background.png"), 0, fx));
  std::vector<base::WString> names;
  for (const KpFrameEntry* frame : images.frames()) names.push_back(frame->name);
  EXPECT_EQ(names, (std::vector<base::WString>{u"background", u"^lantern"}));
  const KpFrameEntry& lantern = *images.frames()[1];
  EXPECT_EQ(lantern.x, 300.0f);
  EXPECT_EQ(lantern.height, 90.0f);
  EXPECT_EQ(lantern.bottom, 290.0f);
  EXPECT_EQ(lantern.z, 3);
  EXPECT_TRUE(lantern.ownsImage);
  EXPECT_TRUE(images.spotFrames().empty());

  ASSERT_EQ(fx.size(), 2u);
  EXPECT_EQ(fx[0]->x, 120.0f);
  EXPECT_EQ(fx[0]->y, 340.0f);
  EXPECT_EQ(fx[1]->x, 700.0f);
  EXPECT_EQ(fx[0]->effectName, u"tr1");
  DeleteAllPointers(fx);
}

TEST_F(MapImagesTest, AMissingOrEmptyLayoutIsReportedAndLeavesNothing) {
  KpMapImages images{SpotPictures{}};
  std::vector<KpMapEffect*> fx;
  EXPECT_FALSE(images.load(LevelLayoutPath("kp/data/maps/none/background.png"), 0, fx));
  EXPECT_FALSE(images.load(LevelLayoutPath("x"), 0, fx));
  EXPECT_TRUE(images.frames().empty());
  EXPECT_TRUE(fx.empty());
  EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                          [](const base::WString& line) {
                            return line.find(u"cannot be opened") != line.npos ||
                                   line.find(u"has no layers") != line.npos;
                          }),
            2);
}

struct FxEpisodeCase {
  const char* name;
  int episode;
  const char16_t* effect;
  float period;
};

void PrintTo(const FxEpisodeCase& c, std::ostream* out) { *out << c.name; }

class MapEffectTest : public ::testing::TestWithParam<FxEpisodeCase> {};

TEST_P(MapEffectTest, ShowsAfterItsFirstDelayThenEvery20SecondsToItsPeriod) {
  const FxEpisodeCase& c = GetParam();
  KpMapEffect item(5.0f, 6.0f, c.episode);
  EXPECT_EQ(item.effectName, c.effect);
  EXPECT_EQ(item.period, c.period);
  EXPECT_EQ(item.loops, c.period == 0.0f);
  EXPECT_GE(item.firstDelay, 3.0f);
  EXPECT_LE(item.firstDelay, 8.0f);

  const bool shows = c.period > 0.0f;
  std::vector<float> shownAt;
  float now = 0.0f;
  for (int frame = 0; frame < 2000; ++frame) {
    now += 0.1f;
    if (item.update(0.1f)) shownAt.push_back(now);
  }
  EXPECT_TRUE(item.started);
  if (!shows) {
    EXPECT_TRUE(shownAt.empty()) << "later episodes have points but no effect";
    return;
  }
  ASSERT_GE(shownAt.size(), 3u);
  EXPECT_NEAR(shownAt[0], item.firstDelay, 0.11f);
  for (std::size_t i = 1; i < shownAt.size(); ++i) {
    EXPECT_GE(shownAt[i] - shownAt[i - 1], 20.0f - 0.01f) << i;
    EXPECT_LE(shownAt[i] - shownAt[i - 1], c.period + 0.21f) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MapEffectTest,
                         ::testing::Values(FxEpisodeCase{"FirstEpisodeReeds", 0, u"tr1", 30.0f},
                                           FxEpisodeCase{"SecondEpisodeBirds", 1, u"bird", 30.0f},
                                           FxEpisodeCase{"ThirdEpisodeNone", 2, u"", 0.0f},
                                           FxEpisodeCase{"NegativeEpisodeNone", -1, u"", 0.0f}),
                         testing_support::RowName());

}  // namespace
