// The map's drawing on the running game: what a frame draws in which screen,
// the order of the level's layers, units and effects, the next-wave texts,
// and pictures of busy frames kept beside the tests for a person to judge.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/ParticleEmitter.h"
#include "Framework/GameApplication.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "Game/LocalStrings.h"
#include "Game/MapDrawScene.h"
#include "Game/MapDrawTexts.h"
#include "Platform/GraphicsDevice.h"
#include "tests/Support/BusiestMoment.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/GameDataRoot.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/WorldScenario.h"

namespace {

using Picture = std::vector<std::uint32_t>;

constexpr std::uint32_t kBlack = 0xFF000000u;

// Next-wave texts ---------------------------------------------------------

struct WaveTextCase {
  const char* name;
  float secondsLeft;
  const char16_t* key;
  const char16_t* seconds;  // appended to the key's text
};

void PrintTo(const WaveTextCase& row, std::ostream* out) { *out << row.name; }

class NextWaveTextTest : public ::testing::TestWithParam<WaveTextCase>, protected testing_support::InGameData {};

TEST_P(NextWaveTextTest, SaysTheWaveComesOrCountsTheWholeSeconds) {
  const WaveTextCase& row = GetParam();
  const base::WString expected = LocalStrings::Instance()->getString(row.key) + row.seconds;
  EXPECT_EQ(NextWaveText(row.secondsLeft), expected);
}

INSTANTIATE_TEST_SUITE_P(SecondsLeft, NextWaveTextTest,
                         ::testing::Values(WaveTextCase{"UnderASecond", 0.9f, u"game_incoming", u""},
                                           WaveTextCase{"ThreeAndABit", 3.7f, u"game_nextwave", u"3"},
                                           WaveTextCase{"ClockAlreadyPast", -0.5f, u"game_incoming", u""},
                                           WaveTextCase{"WaveLateBySeconds", -2.5f, u"game_incoming", u""},
                                           WaveTextCase{"TwelveSeconds", 12.0f, u"game_nextwave", u"12"}),
                         testing_support::RowName());

struct WaveTextPlaceCase {
  const char* name;
  float hintX;
  std::size_t index;
  float x;
  float y;
  std::int32_t anchorX;
};

void PrintTo(const WaveTextPlaceCase& row, std::ostream* out) { *out << row.name; }

// A hint 60 x 40 at y 200, on a map drawn twice as large and moved by
// (10, 20): the text's place is in screen units.
class NextWaveTextPlaceTest : public ::testing::TestWithParam<WaveTextPlaceCase> {};

TEST_P(NextWaveTextPlaceTest, StandsBesideItsHintAwayFromTheNearerSide) {
  const WaveTextPlaceCase& row = GetParam();
  KpFrameEntry hint;
  hint.x = row.hintX;
  hint.y = 200.0f;
  hint.width = 60.0f;
  hint.height = 40.0f;
  const NextWaveTextPlace place = PlaceNextWaveText(hint, row.index, 2.0f, 10.0f, 20.0f);
  EXPECT_FLOAT_EQ(place.x, row.x);
  EXPECT_FLOAT_EQ(place.y, row.y);
  EXPECT_EQ(place.anchorX, row.anchorX);
}

INSTANTIATE_TEST_SUITE_P(
    Hints, NextWaveTextPlaceTest,
    ::testing::Values(
        // (511 + 30 + 32) x 2 + 10; (200 + 20) x 2 + 20.
        WaveTextPlaceCase{"LeftHalfWritesRightOfTheHint", 511.0f, 0, 1156.0f, 460.0f, render::kAnchorLeft},
        // (512 - 30 - 32) x 2 + 10.
        WaveTextPlaceCase{"RightHalfWritesLeftOfTheHint", 512.0f, 0, 910.0f, 460.0f, render::kAnchorRight},
        // (200 + 20 - 25) x 2 + 20: 25 map units higher than the first hint's.
        WaveTextPlaceCase{"SecondHintWritesHigher", 100.0f, 1, 334.0f, 410.0f, render::kAnchorLeft},
        // (700 - 30 - 32) x 2 + 10; (200 + 20 - 50) x 2 + 20.
        WaveTextPlaceCase{"ThirdHintOnTheRightWritesHigherStill", 700.0f, 2, 1286.0f, 360.0f,
                          render::kAnchorRight}),
    testing_support::RowName());

// The map in the running game ---------------------------------------------

class MapSceneTest : public testing_support::WorldScenario {
 protected:
  KpMap& map() { return level().map(); }

  render::RenderDX9& renderer() { return static_cast<render::RenderDX9&>(*game().GetRender()); }

  // The window's pixel of a design point.
  std::size_t PixelOf(float x, float y) const {
    const framework::ScreenLayout& layout = framework::GameApplication::Instance()->GetLayout();
    const auto px = static_cast<int>(x / layout.designScaleX - layout.designOffsetX);
    const auto py = static_cast<int>(y / layout.designScaleY - layout.designOffsetY);
    return static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(px);
  }

  // One frame of the game as the window shows it, the world standing still.
  Picture Frame() {
    EXPECT_EQ(game().Tick(0.0f), QL_OK);
    const framework::ScreenLayout& layout = framework::GameApplication::Instance()->GetLayout();
    width_ = static_cast<int>(layout.visibleArea[2] / layout.designScaleX + 0.5f);
    height_ = static_cast<int>(layout.visibleArea[3] / layout.designScaleY + 0.5f);
    return renderer().GetDevice()->ReadPixels({0, 0, width_, height_});
  }

  // The share of the design area's pixels that are not the cleared black.
  double LitShare(const Picture& picture) const {
    std::size_t lit = 0;
    std::size_t all = 0;
    for (int y = 0; y < 768; y += 8) {
      for (int x = 0; x < 1024; x += 8) {
        ++all;
        lit += picture[PixelOf(static_cast<float>(x), static_cast<float>(y))] != kBlack;
      }
    }
    return static_cast<double>(lit) / static_cast<double>(all);
  }

  void Save(const Picture& picture, const std::string& name) {
    EXPECT_TRUE(testing_support::SavePng(testFolder_ / name, picture, width_, height_)) << name;
  }

  bool QueuesEmpty() {
    return std::all_of(map().drawQueues.begin(), map().drawQueues.end(),
                       [](const std::vector<KpFrameEntry*>& queue) { return queue.empty(); });
  }

  int width_ = 0;
  int height_ = 0;
};

TEST_F(MapSceneTest, NothingAtAllIsDrawnBeforeTheResourcesLoad) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  ASSERT_NE(level().build(0, 10000), nullptr);
  map().popups->add(300.0f, 300.0f, KpPopup::kMoney);
  map().resourcesLoaded = false;

  const Picture picture = Frame();
  EXPECT_TRUE(std::all_of(picture.begin(), picture.end(), [](std::uint32_t pixel) { return pixel == kBlack; }));
  EXPECT_TRUE(QueuesEmpty()) << "no tower queued a frame";
}

// The level's scene shows under the screens over a running level only; the
// popups show on every screen.
TEST_F(MapSceneTest, TheSceneShowsOnlyOnTheScreensOverARunningLevel) {
  struct Row {
    const char* name;
    int state;
    bool scene;
  };
  const Row rows[] = {
      {"play", kScreenPlay, true},
      {"level won", kScreenLevelWon, true},
      {"level lost", kScreenLevelLost, true},
      {"pause menu", kScreenPauseMenu, true},
      {"unlock message", kScreenUnlockMessage, true},
      {"gem offer", kScreenMapGemOffer, true},
      {"low life offer", kScreenLowLifeOffer, true},
      {"health purchase", kScreenHealthPurchase, true},
      {"main menu", kScreenMainMenu, false},
      {"episodes", kScreenEpisodes, false},
      {"gem shop", kScreenGemShop, false},
  };
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    map().screenState = row.state;
    map().popups->clear();
    map().popups->add(200.0f, 200.0f, KpPopup::kMoney);
    const Picture picture = Frame();
    if (row.scene)
      EXPECT_GT(LitShare(picture), 0.95);
    else
      EXPECT_LT(LitShare(picture), 0.05);
    EXPECT_NE(picture[PixelOf(200.0f, 200.0f)], kBlack) << "the popup's coin";
    EXPECT_TRUE(QueuesEmpty());
  }
}

// The frame list of level 1-3, which has a marked spot, with a unit of every
// kind queued and the hints of its first wave up: names tell the entries
// apart.
TEST_F(MapSceneTest, TheFrameListLaysTheLevelUnderOverAndBetweenTheUnits) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 2));
  ASSERT_TRUE(level().runUntil([&] { return !map().waveHints->empty(); }, 60.0f));
  const std::vector<KpFrameEntry*>& layers = map().mapImages->frames();
  KpFrameEntry* hidden = layers.front();
  hidden->visible = false;
  auto queue = [&](std::size_t index, const char16_t* name, float bottom) {
    auto* entry = new KpFrameEntry;
    entry->name = name;
    entry->bottom = bottom;
    map().drawQueues[index].push_back(entry);
  };
  queue(0, u"sprite", 0.0f);
  queue(1, u"far unit", 400.0f);
  queue(1, u"near unit", 200.0f);
  queue(1, u"tower", 300.0f);
  queue(1, u"unit beside the tower", 300.0f);
  queue(2, u"ground shadow", 0.0f);
  queue(3, u"high flyer", 500.0f);
  queue(3, u"low flyer", 100.0f);
  queue(4, u"flyer shadow", 0.0f);

  const MapFrameList list = TakeMapFrameList(map());
  hidden->visible = true;
  EXPECT_TRUE(QueuesEmpty());

  std::vector<base::WString> names;
  for (const auto& entry : list) names.push_back(entry->name);
  auto at = [&](const base::WString& name) {
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  // The queued entries by depth, stable among equals.
  const std::vector<base::WString> units = {u"sprite", u"ground shadow",         u"near unit",
                                            u"tower",  u"unit beside the tower", u"far unit"};
  for (std::size_t i = 1; i < units.size(); ++i) EXPECT_EQ(at(units[i]), at(units[i - 1]) + 1) << "entry " << i;
  EXPECT_LT(at(u"flyer shadow"), at(u"low flyer"));
  EXPECT_EQ(at(u"high flyer"), at(u"low flyer") + 1);

  // Each visible layer once, as a copy that never frees the level's image:
  // the ordinary ones under everything, the last of them lowest; scenery in
  // front ('^') and spot markers ("##") over the ground units and under the
  // flying ones, in their stored order.
  auto copyOf = [&](const KpFrameEntry& layer) {
    return static_cast<std::size_t>(std::find_if(list.begin(), list.end(), [&](const auto& entry) {
                                      return entry->name == layer.name && entry->image == layer.image &&
                                             entry->x == layer.x && entry->y == layer.y;
                                    }) -
                                    list.begin());
  };
  std::vector<std::size_t> under;
  std::vector<std::size_t> over;
  std::size_t front = 0;
  std::size_t markers = 0;
  for (const KpFrameEntry* layer : layers) {
    const std::size_t place = copyOf(*layer);
    if (layer == hidden) {
      EXPECT_EQ(place, list.size()) << "a hidden layer is left out";
      continue;
    }
    ASSERT_LT(place, list.size());
    EXPECT_NE(list[place].get(), layer);
    EXPECT_FALSE(list[place]->ownsImage);
    const bool isOver = layer->name.starts_with(u'^') || layer->name == u"##";
    front += layer->name.starts_with(u'^');
    markers += layer->name == u"##";
    (isOver ? over : under).push_back(place);
  }
  EXPECT_GT(under.size(), 2u);
  EXPECT_GT(front, 2u) << "level 1-3 has scenery in front of its units";
  EXPECT_GT(markers, 0u) << "level 1-3 has a marked spot";
  EXPECT_TRUE(std::is_sorted(under.rbegin(), under.rend()));
  EXPECT_LT(under.front(), at(u"sprite"));
  EXPECT_TRUE(std::is_sorted(over.begin(), over.end()));
  EXPECT_GT(over.front(), at(u"far unit"));
  EXPECT_LT(over.back(), at(u"flyer shadow"));

  // The wave hints come last, one for each.
  const std::size_t hints = map().waveHints->hints().size();
  for (std::size_t i = 0; i < hints; ++i)
    EXPECT_EQ(list[list.size() - hints + i]->image, map().waveHints->hints()[i]->image);
}

// The mark of the active speed button is made before any button exists: until
// it is put on one it would stand in the screen's corner, so it is not drawn.
TEST_F(MapSceneTest, TheSpeedButtonMarkShowsOnlyOnceItIsPlaced) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  level().step(1.0f);
  ASSERT_NE(map().activeButtonEmitter, nullptr);
  const Picture unplaced = Frame();
  std::unique_ptr<render::ParticleEmitter> mark = std::move(map().activeButtonEmitter);
  const Picture without = Frame();
  EXPECT_TRUE(unplaced == without);

  mark->SetPosition(300.0f, 300.0f, 1);
  map().activeButtonEmitter = std::move(mark);
  const Picture placed = Frame();
  int changed = 0;
  for (int y = 250; y < 350; ++y)
    for (int x = 250; x < 350; ++x)
      changed += placed[PixelOf(static_cast<float>(x), static_cast<float>(y))] !=
                 without[PixelOf(static_cast<float>(x), static_cast<float>(y))];
  EXPECT_GT(changed, 50);
}

// The map's frame is where a closed menu goes: an empty menu closes at its
// first draw and is deleted by the next frame.
TEST_F(MapSceneTest, TheFrameAfterAMenuHasClosedDeletesIt) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  map().towerMenu = std::make_unique<KpTowerMenu>();
  Frame();
  ASSERT_NE(map().towerMenu, nullptr);
  EXPECT_FALSE(map().towerMenu->isOpen);
  Frame();
  EXPECT_EQ(map().towerMenu, nullptr);
}

// Pictures -----------------------------------------------------------------

// The first level in its third wave, a tower of each of the four lines by the
// road (put there, since the level offers only the first), firing at the
// units walking it.
TEST_F(MapSceneTest, PictureOfTheFirstLevelsThirdWaveUnderFire) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  const int towers[] = {10000, 20000, 30000, 40000};
  for (int i = 0; i < 4; ++i) {
    const KpProto* proto = map().protos->find(towers[i]);
    ASSERT_NE(proto, nullptr) << towers[i];
    ASSERT_NE(map().placeTower(*proto, *map().mapImages->spotFrames()[static_cast<std::size_t>(i)]), nullptr);
  }
  auto firing = [&] {
    return std::count_if(map().towers.begin(), map().towers.end(),
                         [](const KpTower* tower) { return tower->state == KpTower::kFiring; });
  };
  ASSERT_TRUE(level().runUntil(
      [&] { return map().waves->currentWave() >= 2 && map().waves->enemies().size() >= 3 && firing() >= 2; },
      300.0f));

  const Picture picture = Frame();
  Save(picture, "map_draw_1_1_third_wave.png");
  EXPECT_TRUE(QueuesEmpty());
  EXPECT_GT(LitShare(picture), 0.99);
}

// A build menu opened by a click on a free spot of the first level, then a
// tower's menu by a click on the tower beside it; each changes the picture
// around its centre.
TEST_F(MapSceneTest, PicturesOfTheMenusOnASpotAndOnATower) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  map().wallet->addMoney(1000);
  KpTower* tower = level().build(1, 10000);
  ASSERT_NE(tower, nullptr);
  level().step(1.0f);
  const Picture bare = Frame();
  auto open = [&](float x, float y, int kind, const std::string& name) {
    map().onPress(static_cast<int>(x), static_cast<int>(y));
    map().onClick(static_cast<int>(x), static_cast<int>(y));
    ASSERT_NE(map().towerMenu, nullptr) << name;
    EXPECT_EQ(map().towerMenu->kind, kind);
    level().step(0.5f);
    ASSERT_NE(map().towerMenu, nullptr) << name;
    EXPECT_EQ(map().towerMenu->phase, KpTowerMenu::kOpen);
    const Picture picture = Frame();
    Save(picture, name);
    int changed = 0;
    for (float v = y - 80.0f; v < y + 80.0f; v += 4.0f)
      for (float u = x - 80.0f; u < x + 80.0f; u += 4.0f) changed += picture[PixelOf(u, v)] != bare[PixelOf(u, v)];
    EXPECT_GT(changed, 100) << name;
  };
  const KpFrameEntry& freeSpot = *map().mapImages->spotFrames()[0];
  open(freeSpot.x + freeSpot.width * 0.5f, freeSpot.y + freeSpot.height * 0.5f, KpTowerMenu::kBuild,
       "map_draw_1_1_build_menu.png");
  map().towerMenu->close();
  level().step(0.5f);
  open(tower->x, tower->y, KpTowerMenu::kTower, "map_draw_1_1_tower_menu.png");
}

// The first level before its first wave: the hint where the wave will come
// in, the seconds left written beside it.
TEST_F(MapSceneTest, PictureOfTheFirstLevelWaitingForItsFirstWave) {
  ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
  ASSERT_TRUE(level().runUntil([&] { return !map().waveHints->empty(); }, 60.0f));
  ASSERT_GT(map().waveHints->nextWaveTime - map().waves->elapsed(), 1.0f) << "the count is still running";

  const Picture picture = Frame();
  Save(picture, "map_draw_1_1_first_wave_hint.png");
  EXPECT_TRUE(QueuesEmpty());
}

// The campaign's finale at its busiest moment, a walking unit selected: its
// marker shows where it stands.
TEST_F(MapSceneTest, PictureOfTheCampaignsBusiestMoment) {
  ASSERT_TRUE(testing_support::PlayToBusiestMoment(level()));
  const std::size_t crowd = testing_support::Crowd(map());
  EXPECT_GT(crowd, 30u);
  const auto& units = map().waves->enemies();
  const auto walking =
      std::find_if(units.begin(), units.end(), [](const KpEnemy* unit) { return unit->state == KpEnemy::kWalking; });
  ASSERT_NE(walking, units.end());
  const Picture unselected = Frame();
  map().selectedUnit = *walking;

  const Picture picture = Frame();
  Save(picture, "map_draw_2_5_busiest.png");
  EXPECT_TRUE(QueuesEmpty());
  EXPECT_GT(LitShare(picture), 0.99);
  // The marker is the only change, over the unit: above its place by the
  // offset of its sprite's reference frame, never in a corner.
  const std::size_t near = PixelOf((*walking)->x, (*walking)->y);
  const int unitX = static_cast<int>(near % static_cast<std::size_t>(width_));
  const int unitY = static_cast<int>(near / static_cast<std::size_t>(width_));
  int changed = 0;
  int changedAway = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
      if (picture[at] == unselected[at]) continue;
      ++changed;
      changedAway += std::abs(x - unitX) > 80 || y > unitY + 20 || y < unitY - 200;
    }
  }
  EXPECT_GT(changed, 100);
  EXPECT_EQ(changedAway, 0);
}

}  // namespace
