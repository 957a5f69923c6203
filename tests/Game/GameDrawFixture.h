#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Core/Base/Delegate.h"
#include "Core/Base/DelegateBindings.h"
#include "Core/Base/Log.h"
#include "Core/Layer/Layer.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Widget/BaseBoard.h"
#include "Framework/GameApplication.h"
#include "Platform/GraphicsDevice.h"
#include "tests/Framework/TestGameFixture.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/RecordingLogOutput.h"

// The game started over a data folder, its main frame painted by the test
// and read back from the screen.
namespace framework_test {

// The 1024 x 768 design sits in the middle of the 1366 x 768 window at 1:1.
inline constexpr int kDesignLeft = 171;
inline constexpr int kDesignWidth = 1024;
inline constexpr int kDesignHeight = 768;
inline constexpr std::uint32_t kBackground = 0xFF202030u;
using Picture = std::vector<std::uint32_t>;

// The main frame: the background, then whatever the test paints.
class SketchBoard : public widget::BaseBoard {
 public:
  explicit SketchBoard(const std::function<void(render::Graphics*)>& paint) : paint_(paint) {
    layer::Layer::DrawDelegateRef draw;
    draw.Reset(new base::MemberDelegate2<SketchBoard, render::Graphics*, layer::Layer*, QLResultEnum>(
        this, &SketchBoard::Paint));
    GetLayer()->SetBeforeDraw(draw);
  }

 private:
  QLResultEnum Paint(render::Graphics* graphics, layer::Layer*) {
    graphics->SetColorRGBA(0x20 / 255.0f, 0x20 / 255.0f, 0x30 / 255.0f, 1.0f);
    graphics->FillRect({0, 0, static_cast<float>(kDesignWidth), static_cast<float>(kDesignHeight)});
    graphics->SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
    if (paint_) paint_(graphics);
    return QL_OK;
  }

  const std::function<void(render::Graphics*)>& paint_;
};

class GameDrawFixture : public TestGameFixture {
 protected:
  // The start-up as the game makes it, over that data folder.
  TestGame& Start(const base::WString& dataPath) {
    TestGame::NextHooks().postInit = [this] {
      return framework::GameApplication::Instance()->SetMainFrame(new SketchBoard(paint_));
    };
    auto& game = static_cast<TestGame&>(*app::Application::Instance());
    game.SetArguments({u"--data_path", dataPath});
    EXPECT_EQ(game.PlatformInit(), QL_OK);
    EXPECT_EQ(game.Init(), QL_OK);
    testing_support::KeepGraphicsDriverLoaded();
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    return game;
  }

  // One frame of the game with that painting; the pixels of the area, the
  // design area unless told, top row first.
  Picture Draw(TestGame& game, const std::function<void(render::Graphics*)>& paint,
               const platform::PixelRect& area = {kDesignLeft, 0, kDesignLeft + kDesignWidth, kDesignHeight}) {
    paint_ = paint;
    EXPECT_EQ(game.Tick(0.01f), QL_OK);
    paint_ = {};
    auto* render = static_cast<render::RenderDX9*>(game.GetRender());
    return render->GetDevice()->ReadPixels(area);
  }

  bool Logged(const std::u16string& text) const {
    return std::any_of(log_.begin(), log_.end(),
                       [&](const base::WString& line) { return line.find(text) != base::WString::npos; });
  }

  std::function<void(render::Graphics*)> paint_;
  // Outlives the log, which writes its last line when the services go.
  std::vector<base::WString> log_;
};

}  // namespace framework_test
