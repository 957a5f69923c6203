// The game object started in-process over a data folder: what it checks,
// reads and draws at start, and what it opens at exit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/FileManager.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Sound/PlayerVolumes.h"
#include "Core/Sound/SoundTags.h"
#include "Core/Widget/BaseBoard.h"
#include "Framework/GameWindow.h"
#include "Game/Game.h"
#include "Platform/Browser.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/MessageBox.h"
#include "Platform/Monitors.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/TempFolder.h"

namespace {

using framework_test::TestGame;
using Picture = std::vector<std::uint32_t>;

// The game with the map's screen state given by the test.
class GameInState : public Game {
 public:
  std::optional<int> state;

 protected:
  std::optional<int> screenState() const override { return state; }
};

std::string ProfilesWith(const std::string& settings) {
  return "<Profiles currentProfile=\"p\"><Profile name=\"p\">" + settings + "</Profile></Profiles>";
}

constexpr char kWindowedProfile[] = "<fs v=\"false\"/>";

class GameTest : public framework_test::TestGameFixture {
 protected:
  void SetUp() override {
    TestGameFixture::SetUp();
    TestGame::NextHooks().create = [] { return new GameInState; };
    platform::OverrideErrorBox(
        [this](const std::string& caption, const std::string& text) { errorBoxes_.push_back(caption + ": " + text); });
    platform::OverrideUrlOpener([this](const std::string& url) { openedLinks_.push_back(url); });
  }

  void TearDown() override {
    TestGameFixture::TearDown();
    platform::OverrideErrorBox({});
    platform::OverrideUrlOpener({});
  }

  // A data folder of the test's own, with that "play.url" unless it is null.
  base::WString DataFolder(const char* playUrl) {
    if (playUrl) data_.WriteFile("play.url", playUrl);
    return data_.Wide("");
  }

  GameInState& Start(const base::WString& dataPath, const std::string& profiles, QLResultEnum expected = QL_OK) {
    userFolder_.WriteFile("Orvane/Lanternfall2/profiles.xml", profiles);
    auto& game = static_cast<GameInState&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", dataPath});
    EXPECT_EQ(game.PlatformInit(), QL_OK);
    EXPECT_EQ(game.Init(), expected);
    testing_support::KeepGraphicsDriverLoaded();
    return game;
  }

  testing_support::TempFolder data_;
  std::vector<std::string> errorBoxes_;
  std::vector<std::string> openedLinks_;
};

TEST_F(GameTest, WithoutPlayUrlTheGameSaysSoAndStartsNothing) {
  GameInState& game = Start(DataFolder(nullptr), ProfilesWith(kWindowedProfile), QL_FAIL);
  EXPECT_TRUE(game.IsFinishing());
  EXPECT_EQ(game.GetExitCode(), 1);
  EXPECT_EQ(errorBoxes_, std::vector<std::string>{"Error: File play.url not found!"});
  EXPECT_EQ(game.GetRender(), nullptr);
  EXPECT_FALSE(file::FileManager::Instance()->mounts.contains(u"kp/"));
  SingletonRegistry::Shutdown();
  EXPECT_TRUE(openedLinks_.empty());
}

TEST_F(GameTest, TheGamesPackIsMountedOverAnEarlierMount) {
  file::FileManager::Instance()->mounts[u"kp/"] = u"other.dat";
  Start(DataFolder("[InternetShortcut]\nURL=\n"), ProfilesWith(kWindowedProfile));
  EXPECT_EQ(file::FileManager::Instance()->mounts[u"kp/"], u"data.dat");
  EXPECT_TRUE(errorBoxes_.empty());
}

struct WindowModeCase {
  const char* name;
  const char* settings;
  bool windowed;
};

class WindowModeTest : public GameTest, public ::testing::WithParamInterface<WindowModeCase> {};

TEST_P(WindowModeTest, TheProfileChoosesTheStartUpWindowMode) {
  GameInState& game = Start(DataFolder("[InternetShortcut]\nURL=\n"), ProfilesWith(GetParam().settings));
  ASSERT_NE(game.GetWindow(), nullptr);
  EXPECT_EQ(game.GetWindow()->IsWindowed(), GetParam().windowed);
}

INSTANTIATE_TEST_SUITE_P(Profiles, WindowModeTest,
                         ::testing::Values(WindowModeCase{"NoFsIsFullScreen", "", false},
                                           WindowModeCase{"FsWithoutValueIsWindowed", "<fs/>", true},
                                           WindowModeCase{"FsFalseIsWindowed", "<fs v=\"false\"/>", true},
                                           WindowModeCase{"FsTrueIsFullScreen", "<fs v=\"true\"/>", false},
                                           WindowModeCase{"FsNotABooleanIsWindowed", "<fs v=\"maybe\"/>", true},
                                           WindowModeCase{"OnlyTheFirstFsCounts", "<fs v=\"true\"/><fs v=\"false\"/>",
                                                          false}),
                         testing_support::RowName());

struct VolumeCase {
  const char* name;
  const char* settings;
  float sound;
  float music;
};

class VolumeTest : public GameTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(VolumeTest, TheSoundTagsPlayAtThePlayersVolumes) {
  Start(DataFolder("[InternetShortcut]\nURL=\n"), ProfilesWith(std::string(kWindowedProfile) + GetParam().settings));
  w4::PlayerVolumes* volumes = w4::SoundTags::Instance()->GetPlayerVolumes();
  ASSERT_NE(volumes, nullptr);
  EXPECT_FLOAT_EQ(volumes->GetSoundVolume(), GetParam().sound);
  EXPECT_FLOAT_EQ(volumes->GetMusicVolume(), GetParam().music);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, VolumeTest,
    ::testing::Values(VolumeCase{"NoSettingsIsFullVolume", "", 1.0f, 1.0f},
                      VolumeCase{"ValuesAsWritten", "<sound v=\"0.25\"/><music v=\"0.5\"/>", 0.25f, 0.5f},
                      VolumeCase{"AnElementWithoutValueIsSilent", "<sound/><music/>", 0.0f, 0.0f},
                      VolumeCase{"OutOfRangeIsClamped", "<sound v=\"7\"/><music v=\"-2\"/>", 1.0f, 0.0f},
                      VolumeCase{"UnreadableIsSilent", "<sound v=\"loud\"/><music v=\"nan\"/>", 0.0f, 0.0f}),
    testing_support::RowName());

// The root window hears every key, whichever frame holds the focus.
class KeyRecorder : public widget::BaseBoard {
 public:
  explicit KeyRecorder(std::vector<int>& keys) : keys_(keys) {}
  QLResultEnum OnKeyDown(int key) override {
    keys_.push_back(key);
    return QL_OK;
  }
  QLResultEnum OnKeyUp(int key) override {
    keys_.push_back(-key);
    return QL_OK;
  }
  QLResultEnum OnChar(char16_t unit) override {
    keys_.push_back(1000 + unit);
    return QL_OK;
  }

 private:
  std::vector<int>& keys_;
};

TEST_F(GameTest, KeysGoStraightToTheRootWindow) {
  GameInState& game = Start(DataFolder("[InternetShortcut]\nURL=\n"), ProfilesWith(kWindowedProfile));
  // The game's own root window is on the stack before the recorder replaces
  // it, and goes with the stack.
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  std::vector<int> keys;
  ASSERT_EQ(game.SetMainFrame(new KeyRecorder(keys)), QL_OK);
  EXPECT_EQ(game.OnKeyDown(65), QL_OK);
  EXPECT_EQ(game.OnChar(u'a'), QL_OK);
  EXPECT_EQ(game.OnKeyUp(65), QL_OK);
  EXPECT_EQ(keys, (std::vector<int>{65, 1000 + 'a', -65}));
}

struct PlayLinkCase {
  const char* name;
  const char* file;
  std::vector<std::string> opened;
};

class PlayLinkTest : public GameTest, public ::testing::WithParamInterface<PlayLinkCase> {};

TEST_P(PlayLinkTest, AtExitTheLinkOfPlayUrlIsOpened) {
  Start(DataFolder(GetParam().file), ProfilesWith(kWindowedProfile));
  EXPECT_TRUE(openedLinks_.empty());
  SingletonRegistry::Shutdown();
  EXPECT_EQ(openedLinks_, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Links, PlayLinkTest,
    ::testing::Values(PlayLinkCase{"EmptyLinkOpensNothing", "[InternetShortcut]\r\nURL=\r\n", {}},
                      PlayLinkCase{"ALinkIsOpened",
                                   "[InternetShortcut]\r\nURL=https://example.org/play\r\n",
                                   {"https://example.org/play"}},
                      PlayLinkCase{"KeysInAnyCaseAndSpacesAround",
                                   "\xEF\xBB\xBF[internetshortcut]\n  url = https://a.example \n",
                                   {"https://a.example"}},
                      PlayLinkCase{"ALinkOutsideTheSectionIsNotOpened", "[Other]\nURL=https://example.org\n", {}},
                      PlayLinkCase{"UnreadableTextOpensNothing", "\x01\xFF\xFE garbage without lines", {}},
                      PlayLinkCase{"AnEmptyFileOpensNothing", "", {}}),
    testing_support::RowName());

TEST_F(GameTest, APlayUrlGoneBeforeTheExitOpensNothing) {
  Start(DataFolder("[InternetShortcut]\nURL=https://example.org\n"), ProfilesWith(kWindowedProfile));
  std::filesystem::remove(data_.Path() / "play.url");
  SingletonRegistry::Shutdown();
  EXPECT_TRUE(openedLinks_.empty());
}

// A 2 x 2 image, white in every pixel.
std::unique_ptr<render::Image> WhiteImage(render::Render& render) {
  std::unique_ptr<render::TextureDX9> texture;
  if (render::TextureDX9::Create(render, &texture) != QL_OK || texture->CreateDynamic(2, 2) != QL_OK) return nullptr;
  std::uint32_t size = 0;
  int pitch = 0;
  void* bits = nullptr;
  if (texture->Lock(&size, &pitch, &bits) != QL_OK) return nullptr;
  auto* row = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < 2; ++y, row += pitch) std::fill_n(reinterpret_cast<std::uint32_t*>(row), 2, 0xFFFFFFFFu);
  texture->Unlock();
  return std::make_unique<render::Image>(std::move(texture));
}

// Channels of two colours differ by at most one step.
bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1) return false;
  }
  return true;
}

// The shipped shader over a white quad drawn in a vertex colour: color2 tints
// it, and white leaves it alone.
TEST_F(GameTest, TheEnemyShaderTintsTheColourByColor2) {
  GameInState& game = Start(base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8), ProfilesWith(kWindowedProfile));
  TMobShader* shader = game.getMobShader();
  ASSERT_NE(shader, nullptr);
  ASSERT_NE(shader->GetColor2(), nullptr);
  auto& render = static_cast<render::RenderDX9&>(*game.GetRender());
  std::unique_ptr<render::Image> white = WhiteImage(render);
  ASSERT_NE(white, nullptr);
  const struct {
    math::Point4 color2;
    std::uint32_t pixel;
  } cases[] = {{{1.0f, 1.0f, 1.0f, 1.0f}, 0xFFFFFF80u},
               {{1.0f, 0xB0 / 255.0f, 0x70 / 255.0f, 1.0f}, 0xFFFFB038u},
               {{0.0f, 0.0f, 1.0f, 1.0f}, 0xFF000080u}};
  constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  for (const auto& [color2, pixel] : cases) {
    shader->GetColor2()->Set(color2);
    ASSERT_TRUE(render.IsReadyToRender());
    ASSERT_EQ(render.BeginScene(), QL_OK);
    {
      render::Graphics graphics(render);
      graphics.Clear(render::kClearColor, kBlack, 1.0f, 0);
      graphics.SetColorRGBA(1.0f, 1.0f, 0.5f, 1.0f);
      ASSERT_EQ(graphics.SetTexturedShader(shader), QL_OK);
      graphics.DrawImage(white.get()).Scale(8.0f);
    }
    ASSERT_EQ(render.EndScene(), QL_OK);
    ASSERT_EQ(render.Present(), QL_OK);
    ASSERT_EQ(render.ExecuteCommands(), QL_OK);
    const Picture picture = render.GetDevice()->ReadPixels({0, 0, 1366, 768});
    const auto inside = std::count_if(picture.begin(), picture.end(), [&](std::uint32_t p) { return Near(p, pixel); });
    EXPECT_EQ(inside, 16 * 16) << std::hex << "expected 0x" << pixel << " in the quad";
  }
}

// A background baked into a render target just before the loading screen
// stays in the target: the loading screen clears the screen only.
TEST_F(GameTest, TheLoadingScreenShowsItsPictureAndLeavesABakedTargetAlone) {
  GameInState& game = Start(base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8), ProfilesWith(kWindowedProfile));
  auto& render = static_cast<render::RenderDX9&>(*game.GetRender());
  std::unique_ptr<render::RenderTarget> background;
  ASSERT_EQ(render.CreateRenderTarget(4, 4, &background, true), QL_OK);
  constexpr float kRed[4] = {1.0f, 0.0f, 0.0f, 1.0f};
  {
    render::Graphics baking(*background);
    ASSERT_EQ(baking.Clear(render::kClearColor, kRed, 1.0f, 0), QL_OK);
  }

  game.drawLoadingScreen();
  const Picture loading = render.GetDevice()->ReadPixels({0, 0, 1366, 768});
  ASSERT_EQ(loading.size(), std::size_t{1366 * 768});
  // The sky at the top corners and the lantern in the middle: the picture
  // covers the whole window.
  for (const auto& [x, y] : {std::pair{2, 2}, std::pair{1363, 2}, std::pair{683, 350}}) {
    EXPECT_NE(loading[static_cast<std::size_t>(y * 1366 + x)], 0xFF000000u) << x << "," << y;
  }
  EXPECT_TRUE(testing_support::SavePng(testFolder_ / "game_loading_screen.png", loading, 1366, 768));

  ASSERT_EQ(render.BeginScene(), QL_OK);
  {
    render::Graphics screen(render);
    constexpr float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    ASSERT_EQ(screen.Clear(render::kClearColor, kBlack, 1.0f, 0), QL_OK);
    screen.DrawImage(background.get()).Scale(4.0f);
  }
  ASSERT_EQ(render.EndScene(), QL_OK);
  ASSERT_EQ(render.Present(), QL_OK);
  ASSERT_EQ(render.ExecuteCommands(), QL_OK);
  const Picture shown = render.GetDevice()->ReadPixels({0, 0, 1366, 768});
  EXPECT_EQ(std::count(shown.begin(), shown.end(), 0xFFFF0000u), 16 * 16);
}

struct BorderCase {
  const char* name;
  std::optional<int> state;
  bool sidesShown;
};

class BorderTest : public GameTest, public ::testing::WithParamInterface<BorderCase> {};

// On a 21:9 screen in full screen the design is pillar-boxed: the menus show
// the side strips there, other screens leave the borders black.
TEST_P(BorderTest, TheSideStripsFillTheBordersOfTheMenus) {
  constexpr int kWidth = 2560, kHeight = 1080;
  platform::OverrideMonitors(
      std::vector<platform::MonitorBounds>{{0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, true}});
  GameInState& game = Start(base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8), ProfilesWith("<fs v=\"true\"/>"));
  ASSERT_TRUE(game.GetLayout().bordersAreSideBars);
  game.state = GetParam().state;
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  auto& render = static_cast<render::RenderDX9&>(*game.GetRender());
  const Picture picture = render.GetDevice()->ReadPixels({0, 0, kWidth, kHeight});
  ASSERT_EQ(picture.size(), static_cast<std::size_t>(kWidth * kHeight));
  const auto& border = game.GetLayout().borders[0];
  const int borderRight = static_cast<int>(border[0] + border[2]);
  ASSERT_GT(borderRight, 10);
  int lit = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < borderRight; ++x) lit += picture[static_cast<std::size_t>(y * kWidth + x)] != 0xFF000000u;
  }
  EXPECT_EQ(lit > borderRight * kHeight / 2, GetParam().sidesShown) << lit << " lit pixels";
  EXPECT_TRUE(testing_support::SavePng(testFolder_ / (std::string("game_borders_") + GetParam().name + ".png"), picture,
                                       kWidth, kHeight));
}

INSTANTIATE_TEST_SUITE_P(States, BorderTest,
                         ::testing::Values(BorderCase{"LevelSelectShowsTheStrips", 6, true},
                                           BorderCase{"UpgradeShopShowsTheStrips", 8, true},
                                           BorderCase{"PlayLeavesTheBordersBlack", 0, false},
                                           BorderCase{"NoMapLeavesTheBordersBlack", std::nullopt, false}),
                         testing_support::RowName());

}  // namespace
