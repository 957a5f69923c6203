// Build spots and their markers with the game's own pictures, as a running
// game loads them.

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMapEffect.h"
#include "Game/KpMapImages.h"
#include "Game/KpResources.h"
#include "Game/KpSpot.h"
#include "Game/LevelFile.h"
#include "Game/OwnedPointers.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

using framework_test::TestGame;
using framework_test::TestGameFixture;

class LevelPicturesTest : public TestGameFixture {
 protected:
  void StartGame() {
    auto& game = static_cast<TestGame&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    ASSERT_EQ(game.PlatformInit(), QL_OK);
    ASSERT_EQ(game.Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    KpResources::Instance()->loadFolder(u"kp/data/ui_parts");
  }

  // Outlives the log, which writes its last line when the services go.
  std::vector<base::WString> log_;
};

TEST_F(LevelPicturesTest, SpotsShowTheGamesPicturesCentredOnThem) {
  StartGame();
  KpMapImages images;
  const SpotPictures& pictures = images.pictures();
  for (const render::Image* picture :
       {pictures.plain, pictures.gold, pictures.premium, pictures.radiusBoost, pictures.powerBoost, pictures.income}) {
    ASSERT_NE(picture, nullptr);
    EXPECT_GT(picture->GetWidth(), 0);
    EXPECT_GT(picture->GetHeight(), 0);
  }

  tinyxml2::XMLDocument document;
  ASSERT_EQ(document.Parse("<spots><spot x='200.7' y='101'><p name='type' value='1'/>"
                           "<p name='cost_gold' value='40'/></spot></spots>"),
            tinyxml2::XML_SUCCESS);
  KpSpotList spots;
  ASSERT_EQ(ReadSpots(document.RootElement(), spots), 1);
  images.addSpots(spots, [](const base::WString&) { return false; });

  const KpFrameEntry& entry = *images.spotFrames()[0];
  const float width = static_cast<float>(pictures.gold->GetWidth());
  const float height = static_cast<float>(pictures.gold->GetHeight());
  EXPECT_EQ(entry.image, pictures.gold);
  EXPECT_EQ(entry.width, width);
  EXPECT_EQ(entry.height, height);
  EXPECT_EQ(entry.x, std::trunc(200.7f - width * 0.5f));
  EXPECT_EQ(entry.y, std::trunc(101.0f - height * 0.5f));

  ASSERT_EQ(spots[0]->markers.size(), 3u) << "a spot without multipliers shows all three markers";
  const float centreX = entry.x + width * 0.5f;
  EXPECT_EQ(spots[0]->markers[1]->x, std::trunc(centreX));
  EXPECT_EQ(spots[0]->markers[2]->image, pictures.income);
  EXPECT_EQ(spots[0]->markers[2]->width, static_cast<float>(pictures.income->GetWidth()));
}

struct RealMapCase {
  const char* name;
  const char16_t* level;
  int episode;
  const char16_t* effect;
};

void PrintTo(const RealMapCase& c, std::ostream* out) { *out << c.name; }

class RealMapTest : public LevelPicturesTest, public ::testing::WithParamInterface<RealMapCase> {};

// The campaign's own map under its level: the background first, scenery,
// decoration points, and every build spot on the background where the level
// puts it.
TEST_P(RealMapTest, TheLevelsSpotsStandOnItsMap) {
  const RealMapCase& c = GetParam();
  StartGame();
  LevelFile level;
  ASSERT_TRUE(level.load(c.level));
  ASSERT_TRUE(level.levelImageText());
  KpMapImages images;
  std::vector<KpMapEffect*> fx;
  ASSERT_TRUE(images.load(LevelLayoutPath(*level.levelImageText()), c.episode, fx));
  ASSERT_GT(images.frames().size(), 1u);
  const KpFrameEntry& background = *images.frames()[0];
  EXPECT_EQ(background.name, u"background");
  EXPECT_NE(background.image, nullptr);
  ASSERT_FALSE(fx.empty());
  EXPECT_EQ(fx[0]->effectName, c.effect);
  DeleteAllPointers(fx);

  KpSpotList spots;
  ASSERT_GT(ReadSpots(level.child("spots"), spots), 0);
  images.addSpots(spots, [](const base::WString&) { return false; });
  images.sortFrames();
  EXPECT_EQ(images.frames()[0]->z, -1) << "spots come before the layers";
  for (const KpFrameEntry* entry : images.spotFrames()) {
    ASSERT_NE(entry->image, nullptr);
    const float centreX = entry->x + entry->width * 0.5f;
    const float centreY = entry->y + entry->height * 0.5f;
    EXPECT_NEAR(centreX, entry->spot->x, 1.0f);
    EXPECT_NEAR(centreY, entry->spot->y, 1.0f);
    EXPECT_GE(centreX, background.x);
    EXPECT_LE(centreX, background.x + background.width);
    EXPECT_GE(centreY, background.y);
    EXPECT_LE(centreY, background.y + background.height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Maps, RealMapTest,
    ::testing::Values(RealMapCase{"LayerFolderOfTheFirstEpisode", u"kp/levels_normal/level_01_01.xml", 0, u"tr1"},
                      RealMapCase{"DocumentOfTheSecondEpisode", u"kp/levels_hardcore/level_02_02.xml", 1, u"bird"}),
    testing_support::RowName());

}  // namespace
