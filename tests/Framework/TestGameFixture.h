#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Platform/Monitors.h"
#include "Platform/Session.h"
#include "tests/Framework/TestGame.h"
#include "tests/Support/TempFolder.h"

namespace framework_test {

// A test that starts the game application: its per-user folder is a fresh
// temporary one, the display is 1920 x 1080 with a task bar of 40 pixels,
// and everything the start-up made goes when the test ends.
class TestGameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", userFolder_.Path().c_str(), 1);
    platform::OverrideMonitors(std::vector<platform::MonitorBounds>{{0, 0, 1920, 1080, 0, 0, 1920, 1040, true}});
    platform::Startup();
  }

  void TearDown() override {
    SingletonRegistry::Shutdown();
    platform::Shutdown();
    platform::OverrideMonitors(std::nullopt);
    TestGame::NextHooks() = {};
    unsetenv("XDG_DATA_HOME");
    std::filesystem::current_path(testFolder_);
  }

  const std::filesystem::path testFolder_ = std::filesystem::current_path();
  testing_support::TempFolder userFolder_;
};

}  // namespace framework_test
