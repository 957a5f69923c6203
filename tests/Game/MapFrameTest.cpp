// The map's frame on a campaign level of the running game: the game speed,
// the screens that stop the world, the effects the map keeps and lets go,
// the level's won end and the refund of the gems spent on upgrades.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Sound/SoundSystem.h"
#include "Game/Game.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpMapEffect.h"
#include "Game/KpParticle.h"
#include "Game/KpPopupList.h"
#include "Game/KpTower.h"
#include "Game/KpWaves.h"
#include "Game/KpWallet.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Platform/Browser.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Monitors.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

using framework_test::TestGame;

constexpr float kStep = 0.1f;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr const char* kProfilePath = "Orvane/Lanternfall2/profiles.xml";

// The first level of the campaign, playing.
class MapFrameTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    platform::OverrideUrlOpener([](const std::string&) {});
    // A screen of the design size: map points are the screen's pixels.
    platform::OverrideMonitors(std::vector<platform::MonitorBounds>{
        {0, 0, kScreenWidth, kScreenHeight, 0, 0, kScreenWidth, kScreenHeight, true}});
    userFolder_.WriteFile(kProfilePath,
                          "<Profiles currentProfile=\"p\"><Profile name=\"p\"><gems amount=\"3\"/><upgrades>"
                          "<upgrade id=\"1\" level=\"2\"/><upgrade id=\"2\" level=\"0\"/>"
                          "<upgrade id=\"3\" level=\"-1\"/><upgrade id=\"4\" level=\"9\"/></upgrades>"
                          "</Profile></Profiles>");
    TestGame::NextHooks().create = [] { return new Game; };
    game_ = static_cast<Game*>(app::Application::Instance());
    game_->SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    ASSERT_EQ(game_->PlatformInit(), QL_OK);
    ASSERT_EQ(game_->Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    map_ = game_->getMap();
    ASSERT_NE(map_, nullptr);
    math::Random(1234);
    map_->loadLevel();
    ASSERT_TRUE(map_->levelLoadError.empty());
    ASSERT_EQ(map_->screenState, kScreenPlay);
    // The level's own ambient points would start effects of their own.
    DeleteAllPointersAndFree(map_->mapEffects);
  }

  void TearDown() override {
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  void Frames(int count, float dt = kStep) {
    for (int i = 0; i < count; ++i) map_->update(dt);
  }

  // The next frame of the game as the screen shows it.
  std::vector<std::uint32_t> DrawFrame() {
    EXPECT_EQ(game_->Tick(0.0f), QL_OK);
    auto& render = static_cast<render::RenderDX9&>(*game_->GetRender());
    return render.GetDevice()->ReadPixels({0, 0, kScreenWidth, kScreenHeight});
  }

  int Logged(const std::u16string& text) const {
    int count = 0;
    for (const auto& line : log_) count += line.find(text) != std::u16string::npos;
    return count;
  }

  Game* game_ = nullptr;
  KpMap* map_ = nullptr;
  std::vector<base::WString> log_;
};

// One frame at the speed: how far the game clock, a popup and an ambient
// point's wait move, and what the wallet shows.
struct FrameAdvance {
  float gameTime;
  float popupRise;
  float effectWait;
};

FrameAdvance AdvanceOneFrame(KpMap& map, float speed) {
  map.gameSpeed = speed;
  KpPopup* popup = map.popups->add(100.0f, 300.0f, KpPopup::kMoney);
  auto* point = new KpMapEffect(10.0f, 10.0f, 0);
  map.mapEffects.push_back(point);
  const float timeBefore = map.gameTime;
  map.update(kStep);
  FrameAdvance advance{map.gameTime - timeBefore, 300.0f - popup->y, point->elapsed};
  map.popups->clear();
  DeleteAllPointersAndFree(map.mapEffects);
  return advance;
}

TEST_F(MapFrameTest, TheGameSpeedScalesTheWorldButNotTheMoneyCounterNorTheComboWindow) {
  const FrameAdvance normal = AdvanceOneFrame(*map_, 1.0f);
  const FrameAdvance fast = AdvanceOneFrame(*map_, 2.0f);
  const FrameAdvance paused = AdvanceOneFrame(*map_, 0.0f);
  EXPECT_FLOAT_EQ(normal.gameTime, kStep);
  EXPECT_FLOAT_EQ(fast.gameTime, 2.0f * normal.gameTime);
  EXPECT_FLOAT_EQ(fast.popupRise, 2.0f * normal.popupRise);
  EXPECT_FLOAT_EQ(fast.effectWait, 2.0f * normal.effectWait);
  EXPECT_EQ(paused.gameTime, 0.0f);
  EXPECT_EQ(paused.popupRise, 0.0f);
  EXPECT_EQ(paused.effectWait, 0.0f);

  KpWallet& wallet = *map_->wallet;
  map_->gameSpeed = 2.0f;
  wallet.money = 100;
  wallet.displayedMoney = 90;
  std::vector<int> shown;
  for (int frame = 0; frame < 5; ++frame) {
    Frames(1);
    shown.push_back(wallet.displayedMoney);
  }
  EXPECT_EQ(shown, (std::vector<int>{94, 98, 99, 100, 100}));
  wallet.displayedMoney = 97;
  Frames(3);
  EXPECT_EQ(wallet.displayedMoney, 100) << "a gap of 3 closes in three frames";

  for (int kill = 0; kill < 3; ++kill) wallet.onKill(0, 50.0f, 60.0f);
  Frames(9);
  EXPECT_EQ(wallet.comboCount, 3) << "one second of real time has not passed";
  Frames(2);
  EXPECT_EQ(wallet.comboCount, 0);
  EXPECT_EQ(wallet.comboBonus, 4);
  EXPECT_EQ(wallet.money, 104);
}

// Pausing or a screen over the level freezes the world; the one-shot
// effects of the tower commands run on regardless.
TEST_F(MapFrameTest, OnlyThePlayStateMovesTheWorld) {
  map_->screenState = kScreenPauseMenu;
  KpPopup* popup = map_->popups->add(100.0f, 300.0f, KpPopup::kPlain);
  map_->wallet->money = 50;
  map_->wallet->displayedMoney = 0;
  std::unique_ptr<render::ParticleEmitter> build = render::ParticleSystem::Instance()->CreateEmitter("active_btn");
  ASSERT_NE(build, nullptr);
  build->SetState(render::ParticleEmitter::kRunning);
  map_->towerEmitters.push_back(build.release());
  const float timeBefore = map_->gameTime;
  Frames(5);
  EXPECT_FLOAT_EQ(map_->gameTime, timeBefore + 5 * kStep) << "the clock runs at the game speed";
  EXPECT_EQ(popup->y, 300.0f);
  EXPECT_EQ(map_->wallet->displayedMoney, 0);
  ASSERT_EQ(map_->towerEmitters.size(), 1u);

  map_->towerEmitters.front()->SetState(render::ParticleEmitter::kFinishing);
  Frames(1);
  EXPECT_TRUE(map_->towerEmitters.empty()) << "an emitter that stopped running goes";
}

TEST_F(MapFrameTest, PopupsRiseFadeAndAreDeletedWithTheIconsOfTheirKind) {
  KpPopupList& popups = *map_->popups;
  popups.clear();
  KpPopup* money = popups.add(100.0f, 300.0f, KpPopup::kMoney);
  KpPopup* immune = popups.add(100.0f, 300.0f, KpPopup::kImmune);
  KpPopup* upgrade = popups.add(100.0f, 300.0f, 5);
  EXPECT_NE(money->icon, nullptr);
  EXPECT_NE(immune->icon, nullptr);
  EXPECT_NE(money->icon, immune->icon);
  EXPECT_EQ(upgrade->icon, nullptr) << "a tower upgrade's popup is its text alone";
  money->text = u"+ 12";

  popups.update(0.5f);
  ASSERT_EQ(popups.popups().size(), 3u);
  EXPECT_FLOAT_EQ(money->y, 292.5f) << "15 units a second upward";
  EXPECT_EQ(money->x, 100.0f);
  popups.update(0.25f);
  EXPECT_TRUE(popups.popups().empty()) << "gone after 0.75 s";
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (int shift = 0; shift < 24; shift += 8)
    sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return sum;
}

// The popups show over the map, fading over their last quarter second; the
// beams and the wave schedule draw with them.
TEST_F(MapFrameTest, PopupsFadeOutOverTheirLastQuarterSecond) {
  map_->gameSpeed = 0.0f;
  map_->debugShowWaves = true;
  map_->particles.push_back(new KpParticle("t_line"));
  const std::size_t centre = 300 * kScreenWidth + 500;
  const std::uint32_t bare = DrawFrame()[centre];
  KpPopup* popup = map_->popups->add(500.0f, 300.0f, KpPopup::kMoney);
  popup->text = u"+ 12";
  const std::uint32_t fresh = DrawFrame()[centre];
  popup->elapsed = 0.7f;
  const std::uint32_t fading = DrawFrame()[centre];
  EXPECT_GT(ColourDistance(fresh, bare), 30) << "the coin shows";
  EXPECT_LT(ColourDistance(fading, bare), ColourDistance(fresh, bare) / 2) << "at a fifth of its opacity";
}

TEST_F(MapFrameTest, AmbientPointsStartTheirEffectAfterTheirDelayAndAgainAfterTheirInterval) {
  auto* point = new KpMapEffect(120.0f, 340.0f, 0);
  point->firstDelay = 1.0f;
  map_->mapEffects.push_back(point);
  DeleteAllPointersAndFree(map_->fxEmitters);

  Frames(9);
  EXPECT_TRUE(map_->fxEmitters.empty()) << "1 s has not yet passed";
  Frames(2);
  ASSERT_EQ(map_->fxEmitters.size(), 1u);
  float x = 0.0f;
  float y = 0.0f;
  map_->fxEmitters.front()->emitter()->GetPosition(x, y);
  EXPECT_EQ(x, 120.0f);
  EXPECT_EQ(y, 340.0f);
  EXPECT_GE(point->interval, 20.0f);
  EXPECT_LE(point->interval, 30.0f);

  Frames(5);
  EXPECT_LE(map_->fxEmitters.size(), 1u) << "no second start right after the first";
  const int frames = static_cast<int>(point->interval / kStep) + 2;
  int started = 0;
  for (int frame = 0; frame < frames; ++frame) {
    const std::size_t before = map_->fxEmitters.size();
    Frames(1);
    started += map_->fxEmitters.size() > before;
  }
  EXPECT_EQ(started, 1);
}

// Particles go as soon as one emitter stops running, or when they have none,
// as a beam without a unit.
TEST_F(MapFrameTest, ParticlesGoWhenAnEmitterStops) {
  auto* steady = new KpParticle("t_line");
  auto* stopped = new KpParticle("t_line");
  auto* orphan = new KpBeamParticle(0.0f, 0.0f, nullptr, "t_line");
  ASSERT_EQ(steady->emitters.size(), 1u);
  stopped->finish();
  EXPECT_TRUE(orphan->emitters.empty());
  map_->particles = {steady, stopped, orphan};
  Frames(1);
  EXPECT_EQ(map_->particles, (std::vector<KpParticle*>{steady}));
}

// A beam keeps one emitter per 30 units to its unit: it grows at once and
// shrinks by one emitter a frame; once its unit has gone it plays out, goes,
// and its tower forgets it.
TEST_F(MapFrameTest, ABeamFollowsItsUnitAndGoesWithIt) {
  KpEnemy unit(nullptr);
  unit.shownX = 100.0f + 95.0f * 0.6f;
  unit.shownY = 200.0f + 95.0f * 0.8f;
  auto* beam = new KpBeamParticle(100.0f, 200.0f, &unit, "t_line");
  EXPECT_EQ(beam->emitters.size(), 4u);
  map_->particles.push_back(beam);
  KpTower tower;
  tower.beam = beam;
  map_->towers.push_back(&tower);

  Frames(1);
  EXPECT_FLOAT_EQ(beam->grow, 1.0f) << "full length after a tenth of a second";
  unit.shownX = 100.0f;
  unit.shownY = 410.0f;
  Frames(1);
  EXPECT_EQ(beam->emitters.size(), 7u) << "210 away";
  unit.shownY = 260.0f;
  std::vector<std::size_t> counts;
  for (int frame = 0; frame < 6; ++frame) {
    Frames(1);
    counts.push_back(beam->emitters.size());
  }
  EXPECT_EQ(counts, (std::vector<std::size_t>{6, 5, 4, 3, 2, 2}));

  beam->target = nullptr;
  Frames(1);
  EXPECT_FALSE(beam->isRunning()) << "its particles play out";
  Frames(1);
  EXPECT_TRUE(map_->particles.empty());
  EXPECT_EQ(tower.beam, nullptr);
  map_->towers.clear();
}

TEST_F(MapFrameTest, AParticleTemplateTheDataLacksIsLoggedOnceAndShowsNothing) {
  KpParticle first("no_such_template");
  KpParticle second("no_such_template");
  EXPECT_TRUE(first.emitters.empty());
  EXPECT_FALSE(first.isRunning());
  EXPECT_EQ(Logged(u"'no_such_template'"), 1);
}

TEST_F(MapFrameTest, TheLevelWonStopsTheWorldAndTheMusic) {
  ASSERT_FALSE(SoundSystem::Instance()->GetCurrentTrack().empty()) << "the level's music";
  map_->levelWon();
  EXPECT_EQ(map_->gameSpeed, 0.0f);
  EXPECT_EQ(map_->screenState, kScreenLevelWon);
  EXPECT_EQ(map_->levelResultCode, kLevelResultWon);
  EXPECT_TRUE(SoundSystem::Instance()->GetCurrentTrack().empty());
  const float timeBefore = map_->gameTime;
  Frames(3);
  EXPECT_EQ(map_->gameTime, timeBefore);
}

// The profile holds upgrade 1 bought to its third step (5, 10 and 20 gems),
// upgrade 2 to its first (5), upgrade 3 not at all and upgrade 4 to a level
// beyond its three steps (all 35).
TEST_F(MapFrameTest, ResettingPremiumPointsRefundsEveryStepBought) {
  PlayerProfile& profile = *map_->profile;
  const int gemsBefore = map_->wallet->gems;
  map_->resetPremiumPoints();
  EXPECT_EQ(map_->wallet->gems, gemsBefore + 35 + 5 + 35);
  EXPECT_EQ(map_->wallet->gemsEarned, 35 + 5 + 35);
  EXPECT_EQ(profile.getGems(), map_->wallet->gems);
  for (const int id : {1, 2, 3, 4}) EXPECT_EQ(profile.getStoredUpgradeLevel(id), -1) << id;
  map_->resetPremiumPoints();
  EXPECT_EQ(map_->wallet->gems, gemsBefore + 75) << "nothing is refunded twice";
}

TEST_F(MapFrameTest, APendingReloadStartsTheLevelAgainAndNothingElse) {
  Frames(20);
  map_->wallet->money = 1;
  map_->pendingReload = 2;
  const float timeBefore = map_->gameTime;
  Frames(1);
  EXPECT_EQ(map_->pendingReload, 0);
  EXPECT_EQ(map_->wallet->money, map_->budget);
  EXPECT_EQ(map_->gameTime, timeBefore) << "the reload is the whole frame";
}

// What the world holds, frame by frame. How long an emitter's particles live
// is the particle engine's own and only shows.
std::vector<float> RunTrace(KpMap& map, int frames) {
  std::vector<float> trace;
  for (int frame = 0; frame < frames; ++frame) {
    map.update(1.0f / 30.0f);
    trace.push_back(static_cast<float>(map.wallet->money));
    trace.push_back(static_cast<float>(map.particles.size() + map.popups->popups().size()));
    for (const KpEnemy* unit : map.waves->enemies()) {
      trace.push_back(unit->x);
      trace.push_back(unit->y);
      trace.push_back(unit->health);
    }
    for (const KpMapEffect* point : map.mapEffects) {
      trace.push_back(point->elapsed);
      trace.push_back(point->interval);
    }
  }
  return trace;
}

TEST_F(MapFrameTest, TheFrameIsTheSameForTheSameSeedAndStep) {
  std::vector<std::vector<float>> runs;
  for (int run = 0; run < 2; ++run) {
    map_->loadLevel();
    // Loading draws from the sequence as the route cache allows; the frame
    // starts from the seed.
    DeleteAllPointersAndFree(map_->mapEffects);
    math::Random(77);
    for (const float x : {100.0f, 300.0f}) map_->mapEffects.push_back(new KpMapEffect(x, 200.0f, 0));
    map_->gameSpeed = 2.0f;
    runs.push_back(RunTrace(*map_, 600));
  }
  EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
