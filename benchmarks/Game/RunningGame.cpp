#include "benchmarks/Game/RunningGame.h"

#include <cstdlib>
#include <string>

#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Game/Game.h"
#include "Platform/Session.h"
#include "tests/Support/FullProfile.h"
#include "tests/Support/GraphicsDriver.h"

app::Application* app::CreateApplication() { return new Game; }

namespace game_bench {

namespace {

namespace fs = std::filesystem;

void LinkDataRoot(const fs::path& built, const fs::path& root) {
  for (const auto& entry : fs::directory_iterator(built))
    if (entry.path().filename() != "kp") fs::create_directory_symlink(entry.path(), root / entry.path().filename());
  fs::create_directory(root / "kp");
  for (const auto& entry : fs::directory_iterator(built / "kp")) {
    if (entry.path().filename() == "levels_normal") continue;
    if (entry.is_directory())
      fs::create_directory_symlink(entry.path(), root / "kp" / entry.path().filename());
    else
      fs::create_symlink(entry.path(), root / "kp" / entry.path().filename());
  }
  const fs::path levels = root / "kp/levels_normal";
  fs::create_directory(levels);
  for (const auto& entry : fs::directory_iterator(built / "kp/levels_normal"))
    if (entry.path().filename() != "level_01_05.xml")
      fs::create_symlink(entry.path(), levels / entry.path().filename());
  const fs::path copied = built / "kp/levels_normal/level_01_05.xml";
  fs::copy_file(copied, levels / "level_01_05.xml");
  fs::copy_file(copied, levels / "level_01_06.xml");
}

}  // namespace

RunningGame::RunningGame() {
  setenv("XDG_DATA_HOME", userFolder_.Path().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  userFolder_.WriteFile(testing_support::kProfilePath, testing_support::FullProfile());
  LinkDataRoot(LF_GAME_DATA_ROOT, dataRoot_.Path());
  platform::Startup();
  game_ = static_cast<Game*>(app::Application::Instance());
  game_->SetArguments({u"--data_path", base::ToWide(dataRoot_.Path().string(), base::kEncodingUtf8)});
  ok_ = game_->PlatformInit() == QL_OK && game_->Init() == QL_OK && game_->getMap();
  if (ok_) testing_support::KeepGraphicsDriverLoaded();
}

RunningGame::~RunningGame() {
  SingletonRegistry::Shutdown();
  platform::Shutdown();
  unsetenv("XDG_DATA_HOME");
}

KpMap& RunningGame::map() const { return *game_->getMap(); }

RunningGame& TheGame() {
  static RunningGame game;
  return game;
}

}  // namespace game_bench
