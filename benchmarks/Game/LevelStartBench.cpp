#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Game/Game.h"
#include "Game/KpMap.h"
#include "Game/KpRouteBuilder.h"
#include "Game/RouteCache.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/TempFolder.h"

app::Application* app::CreateApplication() { return new Game; }

namespace {

// The busiest campaign level, played from two names: one without a route
// cache and one with the cache written beside it.
constexpr const char* kLevel = "level_01_05";
constexpr int kLevelWithoutCache = 4;
constexpr int kLevelWithCache = 5;

namespace fs = std::filesystem;

// The built data seen through links, with a level folder of its own.
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
  fs::create_directory(root / "kp/levels_normal");
  const fs::path level = built / "kp/levels_normal" / (std::string(kLevel) + ".xml");
  fs::copy_file(level, root / "kp/levels_normal/level_01_05.xml");
  fs::copy_file(level, root / "kp/levels_normal/level_01_06.xml");
}

// The game started once for every benchmark of the run, on a copy of the
// data where the second name of the level has its route cache.
class RunningGame {
 public:
  RunningGame() {
    setenv("XDG_DATA_HOME", userFolder_.Path().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    LinkDataRoot(LF_GAME_DATA_ROOT, dataRoot_.Path());
    platform::Startup();
    game_ = static_cast<Game*>(app::Application::Instance());
    game_->SetArguments({u"--data_path", base::ToWide(dataRoot_.Path().string(), base::kEncodingUtf8)});
    ok_ = game_->PlatformInit() == QL_OK && game_->Init() == QL_OK && game_->getMap();
    if (!ok_) return;
    testing_support::KeepGraphicsDriverLoaded();
    KpMap& map = *game_->getMap();
    play(kLevelWithoutCache);
    const std::vector<std::uint8_t> bytes = RouteCacheBytes(map.routeBuilder->cacheRecords(map.routeMap));
    std::ofstream(dataRoot_.Path() / "kp/levels_normal/level_01_06.cache", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    cacheReads_ = map.routeBuilder->readCache(map.routeMap, u"kp/levels_normal/level_01_06.cache") == QL_OK;
  }

  ~RunningGame() {
    SingletonRegistry::Shutdown();
    platform::ShutdownShaderCompiler();
    platform::Shutdown();
    unsetenv("XDG_DATA_HOME");
  }

  bool ok() const { return ok_; }
  bool cacheReads() const { return cacheReads_; }

  // From the level select's call to the first frame on screen.
  void play(int levelIndex) {
    KpMap& map = *game_->getMap();
    map.difficultyMode = 1;
    map.episodeIndex = 0;
    map.levelIndex = levelIndex;
    map.loadLevel();
    game_->Tick(0.01f);
  }

  const KpMap& map() const { return *game_->getMap(); }

 private:
  testing_support::TempFolder userFolder_;
  testing_support::TempFolder dataRoot_;
  Game* game_ = nullptr;
  bool ok_ = false;
  bool cacheReads_ = false;
};

RunningGame& TheGame() {
  static RunningGame game;
  return game;
}

void BM_LevelStartToFirstFrame(benchmark::State& state, int levelIndex) {
  RunningGame& game = TheGame();
  if (!game.ok()) {
    state.SkipWithError("the game does not start");
    return;
  }
  if (levelIndex == kLevelWithCache && !game.cacheReads()) {
    state.SkipWithError("the route cache written does not read back");
    return;
  }
  for (auto _ : state) game.play(levelIndex);
  if (!game.map().levelLoadError.empty()) state.SkipWithError("the level does not load");
}
BENCHMARK_CAPTURE(BM_LevelStartToFirstFrame, RoutesComputed, kLevelWithoutCache)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LevelStartToFirstFrame, RouteCacheRead, kLevelWithCache)->Unit(benchmark::kMillisecond);

}  // namespace
