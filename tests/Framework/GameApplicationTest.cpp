#include "Framework/GameApplication.h"
#include "Framework/GameWindow.h"

#include <SDL_video.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Base/Delegate.h"
#include "Core/Base/DelegateBindings.h"
#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Core/Base/ImageInfo.h"
#include "Core/File/FileManager.h"
#include "Core/File/PsdFolder.h"
#include "Core/File/TextFile.h"
#include "Core/Layer/ImageLayer.h"
#include "Core/Layer/Layer.h"
#include "Core/Layer/RectHitLayer.h"
#include "Core/Purchase/PurchaseSystem.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/RenderTarget.h"
#include "Core/Widget/BaseBoard.h"
#include "Core/Widget/Button.h"
#include "Core/Widget/ButtonMediator.h"
#include "Core/Widget/FrameManager.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Monitors.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/RecordingLogOutput.h"
#include "tests/Support/SyntheticEvents.h"
#include "tests/Support/TempFolder.h"

namespace {

using framework_test::TestGame;
using framework_test::TestGameFixture;

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlack = 0xFF000000u;

// A main frame that paints a red square over design (0, 0) to (size, size),
// failing its draw while asked to.
class PaintedBoard : public widget::BaseBoard {
 public:
  explicit PaintedBoard(float size) : size_(size) {
    layer::Layer::DrawDelegateRef paint;
    paint.Reset(new base::MemberDelegate2<PaintedBoard, render::Graphics*, layer::Layer*, QLResultEnum>(
        this, &PaintedBoard::Paint));
    GetLayer()->SetBeforeDraw(paint);
  }

  static inline int failuresLeft = 0;

 private:
  QLResultEnum Paint(render::Graphics* graphics, layer::Layer*) {
    if (failuresLeft > 0) {
      --failuresLeft;
      return QL_FAIL;
    }
    graphics->SetColorRGBA(1, 0, 0, 1);
    graphics->FillRect({0, 0, size_, size_});
    return QL_OK;
  }

  float size_;
};

// A main frame with one 30 x 30 button at design (10, 20) that counts its
// clicks.
class ButtonBoard : public widget::BaseBoard, public widget::ButtonListener {
 public:
  ButtonBoard() {
    auto* rect = new layer::RectHitLayer;
    rect->SetRect(0, 0, 30, 30);
    rect->SetPosition(10, 20, 0);
    button.SetLayer(rect, true, false);
    auto* mediator = new widget::ButtonMediator;
    mediator->Attach(&button, true);
    rect->SetListener(mediator);
    button.SetButtonListener(this);
    AddChild(&button);
  }
  ~ButtonBoard() override { RemoveChild(&button); }

  QLResultEnum OnButtonClick(widget::Button*) override {
    ++clicks;
    return QL_OK;
  }

  widget::Button button;
  int clicks = 0;
};

// Keeps every broadcast purchase outcome while it lives.
class PurchaseResults {
 public:
  explicit PurchaseResults(std::vector<TPurchaseResult>& heard) : heard_(heard) {
    purchase::PurchaseResultDelegate(this).Reset(
        new base::MemberDelegate1<PurchaseResults, TPurchaseResult&, void>(this, &PurchaseResults::Hear));
  }
  ~PurchaseResults() { purchase::PurchaseResultDelegate(this) = {}; }

 private:
  void Hear(TPurchaseResult& result) { heard_.push_back(result); }

  std::vector<TPurchaseResult>& heard_;
};

class GameApplicationTest : public TestGameFixture {
 protected:
  void TearDown() override {
    TestGameFixture::TearDown();
    PaintedBoard::failuresLeft = 0;
  }

  // The start-up as WinMain runs it, without the main loop.
  TestGame& Start(const std::vector<base::WString>& arguments) {
    auto& game = static_cast<TestGame&>(*app::Application::Instance());
    game.SetArguments(arguments);
    EXPECT_EQ(game.PlatformInit(), QL_OK);
    initResult_ = game.Init();
    testing_support::KeepGraphicsDriverLoaded();
    return game;
  }

  // The game paints a square of the size as its main frame.
  TestGame& StartPainting(float size) {
    TestGame::NextHooks().postInit = [size] {
      return framework::GameApplication::Instance()->SetMainFrame(new PaintedBoard(size));
    };
    return Start({u"--data_path", dataFolder_.Wide("")});
  }

  // Passes of the main loop, as Run makes them: each hands the window one
  // message and draws a frame.
  static void RunPasses(TestGame& game, int passes = 16) {
    for (int i = 0; i < passes; ++i) ASSERT_EQ(static_cast<base::Task&>(game).Update(0.01f), QL_OK);
  }

  static std::uint32_t Pixel(TestGame& game, int x, int y) {
    auto* render = static_cast<render::RenderDX9*>(game.GetRender());
    return render->GetDevice()->ReadPixels({x, y, x + 1, y + 1}).at(0);
  }

  testing_support::TempFolder dataFolder_;
  QLResultEnum initResult_ = QL_OK;
  // Outlives the log, which writes its last line when the services go.
  std::vector<base::WString> log_;
};

struct ArgumentCase {
  const char* name;
  std::vector<base::WString> arguments;
  bool starts;
};

class StartUpArgumentsTest : public GameApplicationTest, public ::testing::WithParamInterface<ArgumentCase> {};

// "--data_path" and "--pack" take exactly one value; a wrong count ends the
// program with a code the caller sees.
TEST_P(StartUpArgumentsTest, ChecksTheCommandLine) {
  TestGame& game = Start(GetParam().arguments);
  EXPECT_EQ(initResult_ == QL_OK, GetParam().starts);
  EXPECT_EQ(game.GetExitCode() == 0, GetParam().starts);
  EXPECT_EQ(game.IsFinishing(), !GetParam().starts);
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartUpArgumentsTest,
                         ::testing::Values(ArgumentCase{"None", {}, true},
                                           ArgumentCase{"DataPathAlone", {u"--data_path"}, false},
                                           ArgumentCase{"DataPathWithTwo", {u"--data_path", u"a", u"b"}, false},
                                           ArgumentCase{"PackAlone", {u"--pack"}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameApplicationTest, TheDataPathBecomesTheCurrentFolderAndTheLogGoesToTheUserFolder) {
  TestGame& game = Start({u"--data_path", dataFolder_.Wide("")});
  ASSERT_EQ(initResult_, QL_OK);
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), dataFolder_.Path()));
  EXPECT_TRUE(std::filesystem::exists(userFolder_.Path() / "Maker/Product/log.html"));
  EXPECT_NE(game.GetWindow(), nullptr);
  EXPECT_NE(game.GetFrameManager(), nullptr);
}

// The log file opens after the data root is chosen; what went wrong with the
// root is still written there.
TEST_F(GameApplicationTest, ADataPathThatCannotBeEnteredIsSaidInTheLogFile) {
  const base::WString missing = dataFolder_.Wide("missing");
  Start({u"--data_path", missing});
  ASSERT_EQ(initResult_, QL_OK);
  const std::string log = ReadFileToString(userFolder_.Wide("Maker/Product/log.html"));
  EXPECT_NE(log.find(base::ToNarrow(missing, base::kEncodingUtf8) + "' cannot be made the current folder"),
            std::string::npos);
}

TEST_F(GameApplicationTest, PackModeBuildsEveryMountedFolderAndEnds) {
  dataFolder_.WriteFile("kp/a.txt", "abc");
  dataFolder_.WriteFile("kp/b/c.txt", "de");
  const base::WString root = dataFolder_.Wide("");
  file::FileManager::Instance()->mounts[root + u"kp/"] = root + u"data.dat";
  int postInits = 0;
  TestGame::NextHooks().postInit = [&postInits] {
    ++postInits;
    return QL_OK;
  };
  TestGame& game = Start({u"--pack", u"data"});
  EXPECT_EQ(initResult_, QL_OK);
  EXPECT_EQ(game.GetExitCode(), 0);
  EXPECT_TRUE(game.IsFinishing());
  EXPECT_EQ(postInits, 0);
  ASSERT_TRUE(std::filesystem::exists(dataFolder_.Path() / "data.dat"));
  // The folder itself goes: what is read now comes from the pack.
  std::filesystem::remove_all(dataFolder_.Path() / "kp");
  EXPECT_EQ(ReadFileToString(root + u"kp/b/c.txt"), "de");
}

TEST_F(GameApplicationTest, AFrameDrawsTheMainFrameWhereTheLayoutPutsTheDesign) {
  TestGame& game = StartPainting(4);
  ASSERT_EQ(initResult_, QL_OK);
  // 1366 x 768 windowed at 1:1: design x 0 is window x 171.
  EXPECT_FALSE(game.GetOffscreenTarget());
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  EXPECT_EQ(Pixel(game, 172, 1), kRed);
  EXPECT_EQ(Pixel(game, 169, 1), kBlack);
  EXPECT_EQ(Pixel(game, 176, 1), kBlack);
}

// An image layer of a layer folder lands at its place in the layout.
TEST_F(GameApplicationTest, AnImageLayerIsPlacedAtItsLayoutRectangle) {
  // A 2 x 1 TGA, top row first, of two opaque white pixels.
  const std::string tga = std::string("\0\0\2\0\0\0\0\0\0\0\0\0\2\0\1\0\x20\x28", 18) + std::string(8, '\xFF');
  dataFolder_.WriteFile("ui/play.tga", tga);
  dataFolder_.WriteFile("ui/layers.xml", R"(<Layers><Layer name="play" x="10" y="20" width="2" height="1"/></Layers>)");
  TestGame& game = Start({u"--data_path", dataFolder_.Wide("")});
  ASSERT_EQ(initResult_, QL_OK);
  file::PsdFolder layout(u"ui", file::FileManager::Instance());
  ASSERT_EQ(layout.Load(), QL_OK);

  layer::ImageLayer* layer = nullptr;
  base::ImageInfo description;
  ASSERT_EQ(game.CreateImageLayer(u"play", &layout, &layer, &description), QL_OK);
  const std::unique_ptr<layer::ImageLayer> owned(layer);
  EXPECT_FLOAT_EQ(layer->GetPosition().x, 10.0f);
  EXPECT_FLOAT_EQ(layer->GetPosition().y, 20.0f);
  EXPECT_EQ(description.name, u"play");
  ASSERT_NE(layer->GetImage(), nullptr);
  EXPECT_EQ(layer->GetImage()->GetWidth(), 2);
  EXPECT_EQ(game.CreateImageLayer(u"missing", &layout, &layer), QL_FAIL);
}

TEST_F(GameApplicationTest, ANotReadyDeviceSkipsTheWholeFrame) {
  int updates = 0;
  TestGame::NextHooks().update = [&updates](float) {
    ++updates;
    return QL_OK;
  };
  TestGame& game = StartPainting(4);
  ASSERT_EQ(initResult_, QL_OK);
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  EXPECT_EQ(updates, 1);
  static_cast<render::RenderDX9*>(game.GetRender())->GetDevice()->SimulateDeviceLoss();
  EXPECT_EQ(game.Tick(0.01f), QL_OK);
  EXPECT_EQ(updates, 1);
}

TEST_F(GameApplicationTest, AFrameAfterAFailedFrameBeginsAndDraws) {
  TestGame& game = StartPainting(4);
  ASSERT_EQ(initResult_, QL_OK);
  PaintedBoard::failuresLeft = 1;
  EXPECT_EQ(game.Tick(0.01f), QL_FAIL);
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  EXPECT_EQ(Pixel(game, 172, 1), kRed);
}

// Full screen on 1920 x 1080: the design is drawn into a 1365 x 768 target,
// which is stretched by about 1.4066 around the screen's centre.
TEST_F(GameApplicationTest, ATallScreenDrawsThroughTheOffscreenTarget) {
  TestGame::NextHooks().windowed = false;
  TestGame& game = StartPainting(100);
  ASSERT_EQ(initResult_, QL_OK);
  ASSERT_NE(game.GetOffscreenTarget(), nullptr);
  EXPECT_EQ(game.GetOffscreenTarget()->GetWidth(), 1365);
  ASSERT_EQ(game.Tick(0.01f), QL_OK);
  // Design x 0 lands on screen x 960 - 512 * 1365 / 1920 ... about 240.
  EXPECT_EQ(Pixel(game, 300, 70), kRed);
  EXPECT_EQ(Pixel(game, 230, 70), kBlack);
  EXPECT_EQ(Pixel(game, 300, 150), kBlack);
}

TEST_F(GameApplicationTest, ASwitchOfScreenModeLogsItsStepsInOrderAndRebuildsTheTarget) {
  TestGame& game = StartPainting(4);
  ASSERT_EQ(initResult_, QL_OK);
  base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
  std::vector<base::WString>& log = log_;

  ASSERT_EQ(game.SwitchScreenMode(), QL_OK);
  EXPECT_FALSE(game.GetWindow()->IsWindowed());
  EXPECT_NE(game.GetOffscreenTarget(), nullptr);
  ASSERT_EQ(game.SwitchScreenMode(), QL_OK);
  EXPECT_TRUE(game.GetWindow()->IsWindowed());
  EXPECT_EQ(game.GetOffscreenTarget(), nullptr);
  // The renderer logs its own steps between these.
  std::erase_if(log, [](const base::WString& line) { return !line.starts_with(u"mR") && !line.starts_with(u"mW") &&
                                                            !line.starts_with(u"SwitchWindowMode"); });
  EXPECT_EQ(log, (std::vector<base::WString>{
                     u"mRender->PrepareSwitchScreenMode()\n", u"SwitchWindowMode(false)\n",
                     u"mRender->SwitchScreenMode()\n", u"mRender->PrepareSwitchScreenMode()\n",
                     u"mWindow->SetWindowedSize()\n", u"mRender->SwitchScreenMode()\n",
                     u"SwitchWindowMode(true)\n"}));
  EXPECT_EQ(game.Tick(0.01f), QL_OK);
}

// The store answers on its own turn in the main loop; without that turn a
// product would stay busy forever.
TEST_F(GameApplicationTest, APurchaseIsAnsweredWithinOnePassOfTheMainLoop) {
  dataFolder_.WriteFile("kp/inapp.xml", R"(<xml><Product name="buy_50_cr" text="50" type="consumable"/></xml>)");
  TestGame& game = Start({u"--data_path", dataFolder_.Wide("")});
  ASSERT_EQ(initResult_, QL_OK);
  RunPasses(game, 1);
  purchase::PurchaseSystem* purchases = purchase::PurchaseSystem::Instance();
  purchases->LoadCatalogue(u"kp/inapp.xml");
  purchase::Product* product = purchases->FindProduct(u"buy_50_cr");
  ASSERT_NE(product, nullptr);
  std::vector<TPurchaseResult> heard;
  PurchaseResults recorder(heard);

  purchases->Buy(product, nullptr);
  EXPECT_TRUE(product->busy);
  EXPECT_TRUE(heard.empty());
  RunPasses(game, 1);
  EXPECT_FALSE(product->busy);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].product, product);
  EXPECT_EQ(heard[0].result, purchase::kPurchaseFailed);
}

// The button-up of a button held while the window loses the focus goes to
// another program: the press ends there, and nothing is clicked.
TEST_F(GameApplicationTest, APressEndedByAFocusLossClicksNothing) {
  TestGame::NextHooks().postInit = [] { return framework::GameApplication::Instance()->SetMainFrame(new ButtonBoard); };
  TestGame& game = Start({u"--data_path", dataFolder_.Wide("")});
  ASSERT_EQ(initResult_, QL_OK);
  RunPasses(game);
  auto& board = static_cast<ButtonBoard&>(*game.GetMainFrame());
  const std::uint32_t window = game.GetWindow()->GetNativeWindow().GetId();
  using testing_support::PostMouseButton;
  // Windowed at 1:1, design x 0 is window x 171: (196, 35) is on the button.
  testing_support::PostMouseMove(window, 196, 35);
  PostMouseButton(window, 196, 35, true, true);
  PostMouseButton(window, 196, 35, true, false);
  RunPasses(game);
  ASSERT_EQ(board.clicks, 1);

  PostMouseButton(window, 196, 35, true, true);
  RunPasses(game);
  ASSERT_EQ(board.button.GetVisualState(), widget::kButtonPressed);
  testing_support::PostWindowEvent(window, SDL_WINDOWEVENT_FOCUS_LOST);
  RunPasses(game);
  EXPECT_EQ(board.clicks, 1);
  EXPECT_EQ(game.GetFrameManager()->GetCapture().widget, nullptr);
  EXPECT_EQ(board.button.GetVisualState(), widget::kButtonHover);

  // Back in the window, a release whose press was cancelled clicks nothing
  // either.
  testing_support::PostWindowEvent(window, SDL_WINDOWEVENT_FOCUS_GAINED);
  PostMouseButton(window, 196, 35, true, false);
  RunPasses(game);
  EXPECT_EQ(board.clicks, 1);
}

}  // namespace
