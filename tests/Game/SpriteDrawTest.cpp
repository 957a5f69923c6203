// Sprites drawn as the running game draws them: frames loaded through the
// registry with a renderer behind them, played by their animation state and
// read back from the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Core/Base/Delegate.h"
#include "Core/Base/DelegateBindings.h"
#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Core/Layer/Layer.h"
#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/Graphics.h"
#include "Core/Widget/BaseBoard.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpResources.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Monitors.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Game/GameDrawFixture.h"
#include "tests/Support/GraphicsDriver.h"
#include "tests/Support/RecordingLogOutput.h"
#include "tests/Support/SavePng.h"
#include "tests/Support/TempFolder.h"

namespace {

using framework_test::TestGame;

using framework_test::kBackground;
using framework_test::kDesignWidth;
using framework_test::kDesignHeight;
using framework_test::Picture;

// Pixels from left and top up to, not including, right and bottom.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

int LitPixels(const Picture& picture, const Box& box) {
  int lit = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (picture[static_cast<std::size_t>(y * kDesignWidth + x)] != kBackground) ++lit;
  return lit;
}

// The smallest box around the pixels that are not the background; empty
// when every pixel is.
std::optional<Box> LitBox(const Picture& picture) {
  Box box{kDesignWidth, kDesignHeight, 0, 0};
  for (int y = 0; y < kDesignHeight; ++y) {
    for (int x = 0; x < kDesignWidth; ++x) {
      if (picture[static_cast<std::size_t>(y * kDesignWidth + x)] == kBackground) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
  }
  if (box.left >= box.right) return std::nullopt;
  return box;
}

using SpriteDrawTest = framework_test::GameDrawFixture;

// One frame of a sprite's animation, shown in a cell of the sheet.
struct Cell {
  base::WString sprite;
  base::WString animation;
  int frame = 0;
};

// Draws the frame with the middle of its image at (cx, cy); false when the
// animation has no such frame.
bool DrawCentred(render::Graphics* graphics, const Cell& cell, float cx, float cy) {
  SpriteAnimState state(cell.sprite, cell.animation);
  state.fps = 1.0f;
  state.time = static_cast<float>(cell.frame) + 0.5f;
  const KpFrameEntry* frame = state.currentFrame(0.0f, 0.0f, 0.0f);
  if (!frame) return false;
  state.draw(graphics, cx - frame->x - frame->width / 2.0f + state.pivotX(),
             cy - frame->y - frame->height / 2.0f + state.pivotY(), 0.0f);
  return true;
}

std::vector<Cell> SheetCells() {
  std::vector<Cell> cells;
  for (const char16_t* unit : {u"u_gloamling", u"u_skitter", u"u_riftling", u"u_broodling", u"u_husk", u"u_duskmoth",
                               u"u_shellback", u"u_veilstalker", u"u_mender", u"u_broodmother", u"u_mistcaller",
                               u"u_drake", u"u_riftcaller", u"u_gravecaller", u"u_lampsnuffer"})
    for (int frame = 0; frame < 8; ++frame) cells.push_back({base::WString(u"kp/") + unit, u"walk", frame});
  // Each of the 32 directions has four recoil frames; every fourth direction.
  for (const char16_t* tower : {u"t_wick_1", u"t_wick_2", u"t_wick_3", u"t_sparkstorm", u"t_cannon_1", u"t_cannon_2",
                                u"t_cannon_3", u"t_brand"})
    for (int direction = 0; direction < 32; direction += 4)
      cells.push_back({base::WString(u"kp/") + tower, u"", direction * 4});
  const SpriteDef::FrameList* ui = KpResources::Instance()->getSprite(u"kp/ui")->findGroup("");
  for (std::size_t frame = 0; ui && frame < ui->size(); ++frame)
    cells.push_back({u"kp/ui", u"", static_cast<int>(frame)});
  return cells;
}

TEST_F(SpriteDrawTest, TheContactSheetShowsEveryWalkTowerDirectionAndInterfacePart) {
  TestGame& game = Start(base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8));
  KpResources::Instance()->loadSharedLayouts();
  const std::vector<Cell> cells = SheetCells();
  ASSERT_GT(cells.size(), 15u * 8 + 8 * 8) << "the interface parts are on the sheet";

  constexpr int kCell = 128;
  constexpr int kColumns = kDesignWidth / kCell;
  constexpr int kPerPage = kColumns * (kDesignHeight / kCell);
  Picture sheet;
  for (std::size_t first = 0; first < cells.size(); first += kPerPage) {
    const std::size_t end = std::min(cells.size(), first + kPerPage);
    const Picture page = Draw(game, [&](render::Graphics* graphics) {
      for (std::size_t i = first; i < end; ++i) {
        const int slot = static_cast<int>(i - first);
        EXPECT_TRUE(DrawCentred(graphics, cells[i], (slot % kColumns + 0.5f) * kCell, (slot / kColumns + 0.5f) * kCell))
            << base::ToNarrow(cells[i].sprite, base::kEncodingUtf8) << " frame " << cells[i].frame;
      }
    });
    for (std::size_t i = first; i < end; ++i) {
      const int slot = static_cast<int>(i - first);
      const int left = slot % kColumns * kCell;
      const int top = slot / kColumns * kCell;
      EXPECT_GT(LitPixels(page, {left, top, left + kCell, top + kCell}), 0)
          << base::ToNarrow(cells[i].sprite, base::kEncodingUtf8) << " '"
          << base::ToNarrow(cells[i].animation, base::kEncodingUtf8) << "' frame " << cells[i].frame;
    }
    sheet.insert(sheet.end(), page.begin(), page.end());
  }
  EXPECT_TRUE(testing_support::SavePng(testFolder_ / "game_contact_sheet.png", sheet, kDesignWidth,
                                       static_cast<int>(sheet.size()) / kDesignWidth));
}

struct PivotCase {
  const char* name;
  const char16_t* sprite;
  const char16_t* animation;
  // Null: the sprite has its own pivot marker.
  std::optional<std::pair<float, float>> defaultPivot;
};

class SpritePivotTest : public SpriteDrawTest, public ::testing::WithParamInterface<PivotCase> {};

TEST_P(SpritePivotTest, TheFrameLandsWhereThePivotPutsIt) {
  const PivotCase& c = GetParam();
  TestGame& game = Start(base::ToWide(LF_GAME_DATA_ROOT, base::kEncodingUtf8));
  KpResources::Instance()->loadSharedLayouts();
  SpriteAnimState state(c.sprite, c.animation);
  if (c.defaultPivot) {
    EXPECT_FLOAT_EQ(state.pivotX(), c.defaultPivot->first);
    EXPECT_FLOAT_EQ(state.pivotY(), c.defaultPivot->second);
  } else {
    const SpriteDef::FrameList* marker = state.definition()->findGroup("s_point");
    ASSERT_TRUE(marker && !marker->empty());
    EXPECT_FLOAT_EQ(state.pivotX(), marker->front()->x);
    EXPECT_FLOAT_EQ(state.pivotY(), marker->front()->y);
  }
  constexpr float kX = 400.0f, kY = 300.0f;
  const KpFrameEntry* frame = state.currentFrame(kX, kY, 0.0f);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->image, nullptr);
  const Picture picture = Draw(game, [&](render::Graphics* graphics) { state.draw(graphics, kX, kY, 0.0f); });

  // The layer's rectangle, moved so that the pivot sits at the drawing point.
  const float left = kX - state.pivotX() + frame->x;
  const float top = kY - state.pivotY() + frame->y;
  const std::optional<Box> lit = LitBox(picture);
  ASSERT_TRUE(lit);
  EXPECT_GE(lit->left, left - 1.0f);
  EXPECT_GE(lit->top, top - 1.0f);
  EXPECT_LE(lit->right, left + frame->width + 1.0f);
  EXPECT_LE(lit->bottom, top + frame->height + 1.0f);
  // The layers are trimmed to their pixels: the image fills its rectangle.
  EXPECT_GE(lit->right - lit->left, frame->width - 2.0f);
  EXPECT_GE(lit->bottom - lit->top, frame->height - 2.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Sprites, SpritePivotTest,
    ::testing::Values(PivotCase{"UnitWithoutMarker", u"kp/u_gloamling", u"walk", std::pair{50.0f, 30.0f}},
                      PivotCase{"TowerWithMarker", u"kp/t_watch_1", u"idle", std::nullopt}),
    [](const ::testing::TestParamInfo<PivotCase>& info) { return std::string(info.param.name); });

TEST_F(SpriteDrawTest, AFrameWhoseAtlasCannotBeReadIsLoggedAndNotDrawn) {
  const testing_support::TempFolder data;
  const std::string layer = R"(<Layers><Layer name="f0" x="0" y="0" width="16" height="16" atlas="sheet.png")"
                            R"( tu1="0" tv1="0" tu2="1" tv2="1"/></Layers>)";
  data.WriteFile("kp/missing/layers.xml", layer);
  data.WriteFile("kp/damaged/layers.xml", layer);
  data.WriteFile("kp/damaged/sheet.png", std::string("\x89PNG\r\n\x1a\n", 8) + "not an image at all");
  TestGame& game = Start(data.Wide(""));

  for (const char16_t* sprite : {u"kp/missing", u"kp/damaged"}) {
    SCOPED_TRACE(base::ToNarrow(sprite, base::kEncodingUtf8));
    log_.clear();
    SpriteAnimState state(sprite, u"");
    const KpFrameEntry* frame = state.currentFrame(100.0f, 100.0f, 0.0f);
    ASSERT_NE(frame, nullptr) << "the frame keeps its place";
    EXPECT_EQ(frame->image, nullptr);
    EXPECT_TRUE(Logged(u"could not be read and is not drawn"));
    const Picture picture = Draw(game, [&](render::Graphics* graphics) { state.draw(graphics, 100.0f, 100.0f, 0.0f); });
    EXPECT_FALSE(LitBox(picture)) << "nothing is drawn";
  }
  EXPECT_EQ(game.Tick(0.01f), QL_OK) << "the game goes on";
}

}  // namespace
