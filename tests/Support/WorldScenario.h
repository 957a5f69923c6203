#pragma once

#include <memory>

#include "Core/Base/TextConversion.h"
#include "Game/Game.h"
#include "Platform/Browser.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/FullProfile.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/LevelRun.h"

namespace testing_support {

// A test that plays levels of the real game on the built data: the game
// starts with a profile that has bought nothing, and level() loads a campaign
// level or a level the test writes, steps it with a fixed frame time and
// gives the player's commands (see LevelRun). Nothing draws unless the test
// ticks the game itself.
//
//   TEST_F(WorldScenario, ...) {
//     ASSERT_TRUE(level().loadCampaignLevel(1, 0, 0));
//     level().build(0, 10000);
//     EXPECT_TRUE(level().runToEnd(900.0f));
//   }
class WorldScenario : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    platform::OverrideUrlOpener([](const std::string&) {});
    userFolder_.WriteFile(kProfilePath, FullProfile());
    framework_test::TestGame::NextHooks().create = [] { return new Game; };
    game_ = static_cast<Game*>(app::Application::Instance());
    game_->SetArguments({u"--data_path", base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8)});
    ASSERT_EQ(game_->PlatformInit(), QL_OK);
    ASSERT_EQ(game_->Init(), QL_OK);
    ASSERT_NE(game_->getMap(), nullptr);
    KeepGraphicsDriverLoaded();
    level_ = std::make_unique<LevelRun>(*game_);
  }

  void TearDown() override {
    level_.reset();
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  Game& game() { return *game_; }
  LevelRun& level() { return *level_; }

 private:
  Game* game_ = nullptr;
  std::unique_ptr<LevelRun> level_;
};

}  // namespace testing_support
