// The game started in this process on its built data, as the program starts
// it, and driven through the window's own events.

#include <SDL.h>
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/File/Profiles.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Font.h"
#include "Core/Render/ParticleEmitter.h"
#include "Framework/GameWindow.h"
#include "Game/Game.h"
#include "Game/GameWindow.h"
#include "Game/KpMap.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/PlayerProfile.h"
#include "Game/SpellTable.h"
#include "Game/UpgradeList.h"
#include "Platform/Browser.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Monitors.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/SyntheticEvents.h"

namespace {

using framework_test::TestGame;

class GameStartTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    // No browser opens from a test.
    platform::OverrideUrlOpener([](const std::string&) {});
  }

  void TearDown() override {
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  Game& Start() {
    TestGame::NextHooks().create = [] { return new Game; };
    auto& game = static_cast<Game&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    EXPECT_EQ(game.PlatformInit(), QL_OK);
    initResult_ = game.Init();
    testing_support::KeepGraphicsDriverLoaded();
    return game;
  }

  // Passes of the main loop: each hands the window one message and runs a
  // frame.
  static void RunPasses(Game& game, int passes = 8) {
    for (int i = 0; i < passes; ++i) ASSERT_EQ(static_cast<base::Task&>(game).Update(0.01f), QL_OK);
  }

  static std::uint32_t WindowId(Game& game) { return game.GetWindow()->GetNativeWindow().GetId(); }

  QLResultEnum initResult_ = QL_FAIL;
};

TEST_F(GameStartTest, StartsWithTheRootWindowAndAFreshMapAndEndsWhenTheWindowCloses) {
  userFolder_.WriteFile("Orvane/Lanternfall2/profiles.xml",
                        "<Profiles currentProfile=\"p\"><Profile name=\"p\"><gems amount=\"7\"/></Profile></Profiles>");
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  ASSERT_FALSE(game.IsFinishing());
  EXPECT_EQ(file::FileManager::Instance()->mounts[u"kp/"], u"data.dat");
  ASSERT_NE(file::Profiles::Instance()->GetCurrentProfile(), nullptr);

  ASSERT_NE(game.gameWindow(), nullptr);
  EXPECT_EQ(game.GetMainFrame(), game.gameWindow());
  for (std::size_t font = 0; font < static_cast<std::size_t>(GameFont::kCount); ++font) {
    const render::Font* loaded = game.gameWindow()->font(static_cast<GameFont>(font));
    ASSERT_NE(loaded, nullptr) << "font " << font;
    EXPECT_TRUE(loaded->IsLoaded()) << "font " << font;
  }

  KpMap* map = game.getMap();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(Game::sInstance, &game);
  EXPECT_EQ(map->screenState, kScreenNone);
  EXPECT_EQ(map->levelResultCode, kLevelResultNone);
  EXPECT_EQ(map->gameSpeed, 1.0f);
  EXPECT_EQ(map->mapScale, 1.0f);
  EXPECT_EQ(map->tutorialSpot, -1);
  EXPECT_EQ(map->sellFactor, 0.5f);
  EXPECT_EQ(map->startGems, 0);
  EXPECT_EQ(map->pointScale, 1.0f);
  EXPECT_EQ(map->language, u"en");
  EXPECT_TRUE(map->resourcesLoaded);
  EXPECT_NE(map->brushImage, nullptr);
  EXPECT_FALSE(map->debugKeysEnabled);
  ASSERT_NE(map->profile, nullptr);
  EXPECT_EQ(map->difficultyMode, map->profile->getMode());
  ASSERT_NE(map->unlockTable, nullptr);
  // The campaign's sheets: its first episode opens without stars, and its
  // first level opens a tower.
  ASSERT_GT(map->getEpisodeCount(), 0);
  EXPECT_GT(map->getLevelCount(0), 0);
  EXPECT_TRUE(map->isEpisodeUnlocked(0));
  EXPECT_FALSE(map->unlockTable->getNewUnlocks().empty());
  EXPECT_FALSE(map->protos->protos().empty());
  EXPECT_FALSE(map->upgrades->upgrades().empty());
  EXPECT_FALSE(map->spells->spells().empty());
  EXPECT_EQ(map->waves->getWaveCount(), 0);
  EXPECT_EQ(map->wallet->gems, 7) << "the player's gems come along";
  EXPECT_EQ(map->wallet->money, 0);
  for (const auto* emitter : {map->activeEmitter.get(), map->activeButtonEmitter.get()}) {
    ASSERT_NE(emitter, nullptr);
    EXPECT_EQ(emitter->GetState(), render::ParticleEmitter::kRunning);
  }

  RunPasses(game);
  EXPECT_GT(map->gameTime, 0.0f) << "with the resources loaded the game clock runs";

  // The root window's hit rectangle reaches beyond the design area: the
  // window's corner lies left of it in every layout.
  testing_support::PostMouseMove(WindowId(game), 3, 5);
  RunPasses(game, 2);
  const input::Point corner = game.ToDesign({3, 5});
  EXPECT_LT(corner.x, 0.0f);
  EXPECT_EQ(game.gameWindow()->lastMouseX(), static_cast<int>(corner.x));
  EXPECT_EQ(game.gameWindow()->lastMouseY(), static_cast<int>(corner.y));

  testing_support::PostWindowEvent(WindowId(game), SDL_WINDOWEVENT_CLOSE);
  RunPasses(game, 2);
  EXPECT_TRUE(game.GetWindow()->IsFinished());
  EXPECT_EQ(game.GetExitCode(), 0);
}

struct PauseCase {
  const char* name;
  int state;
  int stateAfter;
  float speedAfter;
};

// Leaving the window during a level opens the pause menu; on any other
// screen nothing changes.
TEST_F(GameStartTest, LeavingTheWindowPausesOnlyALevelBeingPlayed) {
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  KpMap& map = *game.getMap();
  const PauseCase cases[] = {
      {"Playing", kScreenPlay, kScreenPauseMenu, 0.0f},
      {"BeforeTheFirstScreen", kScreenNone, kScreenNone, 1.0f},
      {"MainMenu", kScreenMainMenu, kScreenMainMenu, 1.0f},
      {"LevelWon", kScreenLevelWon, kScreenLevelWon, 1.0f},
      {"AlreadyPaused", kScreenPauseMenu, kScreenPauseMenu, 1.0f},
  };
  for (const PauseCase& pause : cases) {
    SCOPED_TRACE(pause.name);
    map.screenState = pause.state;
    map.gameSpeed = 1.0f;
    testing_support::PostWindowEvent(WindowId(game), SDL_WINDOWEVENT_FOCUS_LOST);
    RunPasses(game, 2);
    EXPECT_EQ(map.screenState, pause.stateAfter);
    EXPECT_EQ(map.gameSpeed, pause.speedAfter);
    testing_support::PostWindowEvent(WindowId(game), SDL_WINDOWEVENT_FOCUS_GAINED);
    RunPasses(game, 2);
  }
}

// The debug keys work only with the options' switch on and during a level,
// and reach the root window even though no widget has the keyboard focus.
TEST_F(GameStartTest, DebugKeysActOnlyWhenEnabledDuringALevel) {
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  KpMap& map = *game.getMap();
  // A level plays: without one, the waves would have nothing left to come
  // and end it at the first frame.
  map.loadLevel();
  const auto press = [&](int scancode) {
    testing_support::PostKey(WindowId(game), scancode, true);
    testing_support::PostKey(WindowId(game), scancode, false);
    RunPasses(game, 4);
  };
  // A wave far off keeps the level going: without waves it would be won.
  tinyxml2::XMLDocument waves;
  waves.Parse("<waves><wave spawn='1' timeout='1000'><e id='1'/></wave></waves>");
  map.waves->load(waves.RootElement());

  map.screenState = kScreenPlay;
  press(SDL_SCANCODE_1);
  EXPECT_FALSE(map.debugShowWaves) << "the switch is off";

  map.debugKeysEnabled = true;
  map.screenState = kScreenMainMenu;
  press(SDL_SCANCODE_1);
  EXPECT_FALSE(map.debugShowWaves) << "no level is played";

  map.screenState = kScreenPlay;
  const std::size_t prototypes = map.protos->protos().size();
  const int gems = map.wallet->gems;
  const int money = map.wallet->money;
  press(SDL_SCANCODE_C);
  press(SDL_SCANCODE_M);
  EXPECT_EQ(map.wallet->gems, gems + 100);
  EXPECT_EQ(map.profile->getGems(), gems + 100) << "the profile keeps what the wallet gains";
  EXPECT_EQ(map.wallet->money, money + 1000);
  press(SDL_SCANCODE_1);
  press(SDL_SCANCODE_3);
  press(SDL_SCANCODE_H);
  press(SDL_SCANCODE_R);
  EXPECT_EQ(map.protos->protos().size(), prototypes) << "the sheets are read again, not added";
  EXPECT_TRUE(map.debugShowWaves);
  EXPECT_TRUE(map.debugShowAreas);
  EXPECT_EQ(map.life, 100.0f);
  EXPECT_EQ(map.maxLife, 100.0f);
  press(SDL_SCANCODE_1);
  EXPECT_FALSE(map.debugShowWaves) << "a second press turns it off";
}

// The mode the player switched to is the one the next start uses.
TEST_F(GameStartTest, ASwitchOfScreenModeIsKeptInTheProfile) {
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  PlayerProfile& profile = *game.getMap()->profile;
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(game.SwitchScreenMode(), QL_OK);
    EXPECT_EQ(profile.getFullscreen(), !game.GetWindow()->IsWindowed());
  }
}

// A running effect that goes stops emitting first; the map's lists of effects
// are emptied with null entries among them.
TEST_F(GameStartTest, EffectsFinishTheirRunningEmittersAndTheirListsSkipNulls) {
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  ParticleEffect running("active");
  ParticleEffect stopped("active");
  ASSERT_NE(running.emitter(), nullptr);
  running.emitter()->SetState(render::ParticleEmitter::kRunning);
  running.finish();
  stopped.finish();
  EXPECT_EQ(running.emitter()->GetState(), render::ParticleEmitter::kFinishing);
  EXPECT_EQ(stopped.emitter()->GetState(), render::ParticleEmitter::kStopped);

  std::vector<ParticleEffect*>& effects = game.getMap()->hitEmitters;
  effects = {new ParticleEffect("active"), nullptr, new ParticleEffect("no_such_effect")};
  effects.front()->emitter()->SetState(render::ParticleEmitter::kRunning);
  DeleteAllPointers(effects);
  EXPECT_TRUE(effects.empty());
}

// The borders of a pillar-boxed full screen show the side strips only on the
// screens the map says are menus.
TEST_F(GameStartTest, TheMapsScreenChoosesWhetherTheBordersShowTheSideStrips) {
  constexpr int kWidth = 2560, kHeight = 1080;
  platform::OverrideMonitors(
      std::vector<platform::MonitorBounds>{{0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, true}});
  Game& game = Start();
  ASSERT_EQ(initResult_, QL_OK);
  ASSERT_FALSE(game.GetWindow()->IsWindowed()) << "a fresh profile plays in full screen";
  ASSERT_TRUE(game.GetLayout().bordersAreSideBars);
  const int borderRight = static_cast<int>(game.GetLayout().borders[0][0] + game.GetLayout().borders[0][2]);
  ASSERT_GT(borderRight, 10);
  const auto litInLeftBorder = [&](const char* name) {
    EXPECT_EQ(game.Tick(0.01f), QL_OK);
    auto& render = static_cast<render::RenderDX9&>(*game.GetRender());
    const std::vector<std::uint32_t> picture = render.GetDevice()->ReadPixels({0, 0, kWidth, kHeight});
    EXPECT_TRUE(testing_support::SavePng(testFolder_ / (std::string("game_start_borders_") + name + ".png"), picture,
                                         kWidth, kHeight));
    int lit = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < borderRight; ++x) lit += picture[static_cast<std::size_t>(y * kWidth + x)] != 0xFF000000u;
    return lit;
  };

  EXPECT_EQ(litInLeftBorder("before_the_first_screen"), 0);
  game.getMap()->screenState = kScreenEpisodes;
  EXPECT_GT(litInLeftBorder("episodes"), borderRight * kHeight / 2);
}

}  // namespace
