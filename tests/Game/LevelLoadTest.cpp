// Campaign levels loaded into the running game through the map's own level
// start, as the level select starts them.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/RenderTarget.h"
#include "Game/CurveGeometry.h"
#include "Game/Game.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpRouteBuilder.h"
#include "Game/KpWaveLanes.h"
#include "Game/KpWaves.h"
#include "Game/LevelRouteCheck.h"
#include "Platform/Browser.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Monitors.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/FullProfile.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/TempFolder.h"

namespace {

using framework_test::TestGame;
using testing_support::FullProfile;
using testing_support::kProfilePath;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct CampaignLevel {
  std::string name;  // level_01_03 or the like
  int mode;
  int episode;
  int level;
};

std::vector<CampaignLevel> CampaignLevels() {
  std::vector<CampaignLevel> levels;
  for (const auto& [folder, mode] : {std::pair{"kp/levels_normal", 1}, std::pair{"kp/levels_hardcore", 3}}) {
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(LF_GAME_DATA_ROOT) / folder)) {
      int episode = 0;
      int level = 0;
      if (file.path().extension() == ".xml" &&
          std::sscanf(file.path().filename().string().c_str(), "level_%d_%d.xml", &episode, &level) == 2)
        levels.push_back({file.path().stem().string(), mode, episode - 1, level - 1});
    }
  }
  return levels;
}

class LevelLoadTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    platform::OverrideUrlOpener([](const std::string&) {});
    // A screen of the design size, so that a frame shows the whole map.
    platform::OverrideMonitors(std::vector<platform::MonitorBounds>{
        {0, 0, kScreenWidth, kScreenHeight, 0, 0, kScreenWidth, kScreenHeight, true}});
    userFolder_.WriteFile(kProfilePath, FullProfile());
  }

  void TearDown() override {
    TestGameFixture::TearDown();
    platform::OverrideUrlOpener({});
  }

  Game& Start(const std::filesystem::path& dataRoot) {
    TestGame::NextHooks().create = [] { return new Game; };
    auto& game = static_cast<Game&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", base::ToWide(dataRoot.string(), base::kEncodingUtf8)});
    EXPECT_EQ(game.PlatformInit(), QL_OK);
    EXPECT_EQ(game.Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
    return game;
  }

  static void Load(KpMap& map, int mode, int episode, int level) {
    map.difficultyMode = mode;
    map.episodeIndex = episode;
    map.levelIndex = level;
    map.loadLevel();
  }

  // One frame of the game, kept as a picture in the build folder.
  void SaveFrame(Game& game, const std::string& name) {
    ASSERT_EQ(game.Tick(0.01f), QL_OK);
    auto& render = static_cast<render::RenderDX9&>(*game.GetRender());
    const std::vector<std::uint32_t> picture = render.GetDevice()->ReadPixels({0, 0, kScreenWidth, kScreenHeight});
    EXPECT_TRUE(testing_support::SavePng(testFolder_ / (name + ".png"), picture, kScreenWidth, kScreenHeight));
  }
};

// Each spawn point's way to the goal has a route along every lane its waves
// walk.
void ExpectRoutesToTheGoal(const KpMap& map) {
  const KpPoint* goal = map.findGoalPoint();
  ASSERT_NE(goal, nullptr);
  const std::vector<const KpPoint*> spawns = map.routeMap.spawnPoints();
  ASSERT_FALSE(spawns.empty());
  const KpPoint* defaultSpawn = map.findSpawnPoint();
  const KpWaveLanes lanes(*map.waves, defaultSpawn->id);
  for (const KpPoint* spawn : spawns) {
    const std::vector<int> path = map.findPath(*spawn, *goal);
    ASSERT_GE(path.size(), 2u) << "spawn " << spawn->id;
    for (const int lane : lanes.laneKeysFrom(spawn->id)) {
      for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const KpLink* link = map.findLink(*map.findPoint(path[i]), *map.findPoint(path[i + 1]));
        ASSERT_NE(link, nullptr);
        LaneRoute route;
        map.routeBuilder->getRoute(link, lane, route);
        EXPECT_FALSE(route.empty()) << "spawn " << spawn->id << " lane " << lane << " from point " << path[i];
      }
    }
  }
}

// The baked road image is stamped where the links run and clear elsewhere.
void ExpectRoadDecals(Game& game, const KpMap& map, const std::filesystem::path& png) {
  auto& device = *static_cast<render::RenderDX9&>(*game.GetRender()).GetDevice();
  const int width = map.bakedBackground->GetWidth();
  const int height = map.bakedBackground->GetHeight();
  ASSERT_EQ(device.SetRenderTarget(map.bakedBackground->GetTexture()->GetDeviceTexture()),
            platform::DeviceResult::kOk);
  const std::vector<std::uint32_t> picture = device.ReadPixels({0, 0, width, height});
  ASSERT_EQ(device.SetRenderTarget(nullptr), platform::DeviceResult::kOk);
  ASSERT_EQ(picture.size(), static_cast<std::size_t>(width * height));
  EXPECT_TRUE(testing_support::SavePng(png, picture, width, height));
  const auto alphaAt = [&](float x, float y) {
    const int px = static_cast<int>(x - map.bakedViewRect[0]);
    const int py = static_cast<int>(y);
    return px < 0 || py < 0 || px >= width || py >= height ? 0u : picture[py * width + px] >> 24;
  };
  int stamped = 0;
  for (const KpLink* link : map.routeMap.links()) {
    CurvePoint middle;
    QuadBezierPoint(middle, *map.routeMap.curveOf(*link), 0.5f);
    stamped += alphaAt(middle.x, middle.y) > 0;
  }
  EXPECT_GT(stamped, 0) << "decals on the roads";
  EXPECT_EQ(alphaAt(map.bakedViewRect[0], 0.0f), 0u) << "nothing in the corner";
}

TEST_F(LevelLoadTest, EveryCampaignLevelLoadsWithItsPicturesAndRoutesAndIsDrawn) {
  Game& game = Start(LF_GAME_DATA_ROOT);
  KpMap& map = *game.getMap();
  const std::string profileBefore = userFolder_.ReadFile(kProfilePath);
  const std::vector<CampaignLevel> levels = CampaignLevels();
  ASSERT_GE(levels.size(), 10u);
  for (const CampaignLevel& level : levels) {
    SCOPED_TRACE(level.name + (level.mode == 3 ? " hardcore" : " normal"));
    Load(map, level.mode, level.episode, level.level);
    ASSERT_TRUE(map.levelLoadError.empty()) << base::ToNarrow(map.levelLoadError, base::kEncodingUtf8);
    EXPECT_EQ(map.screenState, kScreenPlay);
    EXPECT_EQ(map.gameSpeed, 1.0f);
    EXPECT_EQ(map.life, level.mode == 3 ? 1.0f : 25.0f);
    EXPECT_FALSE(map.routeMap.points().empty());
    EXPECT_FALSE(map.routeMap.links().empty());
    EXPECT_FALSE(map.spots.empty());
    EXPECT_GT(map.budget, 0);
    EXPECT_EQ(map.wallet->money, map.budget) << "no upgrades bought";
    EXPECT_GT(map.waves->getWaveCount(), 0);

    ASSERT_NE(map.mapImages, nullptr);
    int ground = 0;
    int scenery = 0;
    for (const KpFrameEntry* entry : map.mapImages->frames()) {
      if (entry->name.starts_with(u'#')) continue;
      EXPECT_NE(entry->image, nullptr) << base::ToNarrow(entry->name, base::kEncodingUtf8);
      (entry->name.starts_with(u'^') ? scenery : ground)++;
    }
    EXPECT_GT(ground, 0) << "a background";
    EXPECT_GT(scenery, 0) << "scenery in front of the units";
    ASSERT_EQ(map.mapImages->spotFrames().size(), map.spots.size());
    for (const KpFrameEntry* spot : map.mapImages->spotFrames()) EXPECT_NE(spot->image, nullptr);
    ASSERT_NE(map.bakedBackground, nullptr);
    EXPECT_EQ(map.bakedBackground->GetWidth(), static_cast<int>(map.bakedViewRect[2]));
    ExpectRoutesToTheGoal(map);

    if (level.mode != 3 && ((level.episode == 0 && level.level == 0) || (level.episode == 1 && level.level == 2))) {
      const std::string name = "level_e" + std::to_string(level.episode + 1) + "_l" + std::to_string(level.level + 1);
      SaveFrame(game, name);
      ExpectRoadDecals(game, map, testFolder_ / (name + "_roads.png"));
    }
  }
  EXPECT_EQ(userFolder_.ReadFile(kProfilePath), profileBefore);

  // Playing the same level again starts it afresh.
  Load(map, 1, 0, 0);
  map.wallet->money = 3;
  map.life = 2.0f;
  map.mapImages->spotFrames().front()->visible = false;
  map.restart();
  EXPECT_EQ(map.wallet->money, map.budget);
  EXPECT_EQ(map.life, 25.0f);
  EXPECT_TRUE(map.mapImages->spotFrames().front()->visible);
}

struct BrokenLevel {
  const char* name;
  std::string contents;  // empty: no file
};

void PrintTo(const BrokenLevel& c, std::ostream* out) { *out << c.name; }

std::string LevelWithPoints(int count) {
  std::string text = "<map><budget>300</budget><points>";
  for (int i = 0; i < count; ++i) text += "<p id=\"" + std::to_string(i) + "\" x=\"1\" y=\"2\"/>";
  return text + "</points><links><l sid=\"0\" eid=\"1\"/></links></map>";
}

constexpr const char* kTwoPoints =
    "<map><budget>300</budget><li>kp/data/maps/e1_l1/background.png</li>"
    "<points><p id=\"1\" x=\"0\" y=\"0\"><p name=\"spawn\" value=\"1\"/></p>"
    "<p id=\"2\" x=\"900\" y=\"0\"><p name=\"goal\" value=\"1\"/></p></points>";

class BrokenLevelTest : public LevelLoadTest, public ::testing::WithParamInterface<BrokenLevel> {
 protected:
  // The built data, seen through links, with a level folder of the test's own.
  std::filesystem::path DataRootWithLevel(const std::string& contents) {
    const std::filesystem::path built(LF_GAME_DATA_ROOT);
    const std::filesystem::path root = dataRoot_.Path();
    for (const auto& entry : std::filesystem::directory_iterator(built))
      if (entry.path().filename() != "kp")
        std::filesystem::create_directory_symlink(entry.path(), root / entry.path().filename());
    std::filesystem::create_directory(root / "kp");
    for (const auto& entry : std::filesystem::directory_iterator(built / "kp")) {
      if (entry.path().filename() == "levels_normal") continue;
      if (entry.is_directory())
        std::filesystem::create_directory_symlink(entry.path(), root / "kp" / entry.path().filename());
      else
        std::filesystem::create_symlink(entry.path(), root / "kp" / entry.path().filename());
    }
    std::filesystem::create_directory(root / "kp/levels_normal");
    if (!contents.empty()) dataRoot_.WriteFile("kp/levels_normal/level_01_01.xml", contents);
    return root;
  }

  testing_support::TempFolder dataRoot_;
};

TEST_P(BrokenLevelTest, IsNeitherPlayedNorWonAndLeavesTheProfileAlone) {
  Game& game = Start(DataRootWithLevel(GetParam().contents));
  KpMap& map = *game.getMap();
  const std::string profileBefore = userFolder_.ReadFile(kProfilePath);
  Load(map, 1, 0, 0);
  EXPECT_FALSE(map.levelLoadError.empty());
  EXPECT_NE(map.screenState, kScreenPlay);
  EXPECT_NE(map.screenState, kScreenLevelWon);
  EXPECT_NE(map.levelResultCode, kLevelResultWon);
  EXPECT_EQ(map.budget, 0);
  EXPECT_EQ(map.wallet->money, 0);
  EXPECT_TRUE(map.routeMap.points().empty());
  EXPECT_EQ(map.mapImages, nullptr);
  SaveFrame(game, std::string("level_broken_") + GetParam().name);
  EXPECT_EQ(userFolder_.ReadFile(kProfilePath), profileBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenLevelTest,
    ::testing::Values(BrokenLevel{"MissingFile", ""}, BrokenLevel{"NotXml", "budget 300, points 1 2 3"},
                      BrokenLevel{"NoMapRoot", "<level><budget>300</budget></level>"},
                      BrokenLevel{"TenThousandPoints", LevelWithPoints(10000)},
                      BrokenLevel{"LinkToItself", std::string(kTwoPoints) +
                                                      "<links><l sid=\"1\" eid=\"1\" anchor_x=\"5\"/></links></map>"},
                      BrokenLevel{"UnknownPointId", std::string(kTwoPoints) +
                                                        "<links><l sid=\"1\" eid=\"7\"/></links></map>"},
                      BrokenLevel{"NumbersThatAreNot",
                                  std::string(kTwoPoints) + "<links><l sid=\"one\" eid=\"two\"/></links></map>"}),
    testing_support::RowName());

}  // namespace
