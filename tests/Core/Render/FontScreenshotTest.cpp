#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Core/Base/Utf.h"
#include "Core/Render/BMFont.h"
#include "Core/Render/Graphics.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/CaseNames.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 320;
constexpr float kOriginX = 16.0f;
constexpr float kOriginY = 12.0f;
// Brighter than this counts as text on the black background.
constexpr std::uint32_t kLit = 0x40;

// ASCII with kerning pairs, Cyrillic, Latin-1, and a character no font has.
const base::WString kText = u"AVATAR Toy 42\nЁлка, привет\nÇà ÿ ß Æ №";

struct Box {
  int left, top, right, bottom;  // right and bottom excluded
};

// Where each glyph's quad must land: the lines are one line advance apart,
// left-aligned at the origin, each glyph kerned against the one before it.
std::vector<Box> ExpectedQuads(const render::BMFont& font) {
  std::vector<Box> boxes;
  float penY = kOriginY;
  char16_t previous = 0;
  float penX = kOriginX;
  for (const char16_t c : kText) {
    if (c == u'\n') {
      penX = kOriginX;
      penY += font.GetLineAdvance();
      previous = c;
      continue;
    }
    const auto found = font.GetGlyphs().find(c);
    if (found == font.GetGlyphs().end()) continue;
    const render::BMFontGlyph& glyph = found->second;
    if (c != u' ') {
      penX += glyph.KerningAfter(previous);
      const int left = static_cast<int>(penX + glyph.xOffset);
      const int top = static_cast<int>(penY + glyph.yOffset);
      boxes.push_back({left, top, left + static_cast<int>(glyph.width), top + static_cast<int>(glyph.height)});
    }
    penX += glyph.xAdvance;
    previous = c;
  }
  return boxes;
}

bool Lit(std::uint32_t argb) { return ((argb >> 8) & 0xFFu) > kLit; }

class FontScreenshotTest : public render_test::GameDataScreenFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  FontScreenshotTest() : GameDataScreenFixture(kScreenWidth, kScreenHeight) {}
};

TEST_P(FontScreenshotTest, TextPixelsLieWhereTheLayoutPutsTheGlyphs) {
  auto font = GameFont(base::WideFromUtf8Lenient(GetParam()));
  ASSERT_TRUE(font);

  const float black[4] = {0, 0, 0, 1};
  ASSERT_EQ(Frame(black,
                  [&] {
                    render::Graphics g(*render_);
                    g.SetFont(font.Get());
                    g.DrawText(kText).Translate2D(kOriginX, kOriginY);
                  }),
            QL_OK);
  const std::vector<std::uint32_t> picture = Picture();
  ASSERT_EQ(picture.size(), std::size_t{kScreenWidth * kScreenHeight});
  SavePicture(testFolder_ / (std::string("font-") + GetParam() + ".png"), picture);
  const auto at = [&](int x, int y) { return picture[static_cast<std::size_t>(y * kScreenWidth + x)]; };

  const std::vector<Box> boxes = ExpectedQuads(*font.Get());
  ASSERT_GT(boxes.size(), 20u);
  for (const Box& box : boxes) {
    bool any = false;
    for (int y = box.top; y < box.bottom && !any; ++y) {
      for (int x = box.left; x < box.right && !any; ++x) any = Lit(at(x, y));
    }
    EXPECT_TRUE(any) << "nothing drawn in " << box.left << "," << box.top << " - " << box.right << "," << box.bottom;
  }
  int stray = 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (!Lit(at(x, y))) continue;
      const bool inside = std::any_of(boxes.begin(), boxes.end(), [&](const Box& box) {
        return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      });
      if (!inside) ++stray;
    }
  }
  EXPECT_EQ(stray, 0) << "text pixels outside every glyph's quad";
  font.Release();
}

INSTANTIATE_TEST_SUITE_P(GameFonts, FontScreenshotTest,
                         ::testing::Values("main_32_1", "main_32_2", "main_42_1", "main_42_2", "main_80", "main_42_3"),
                         testing_support::ParamName());

struct AnchorCase {
  const char* name;
  std::int32_t anchorX;
  std::int32_t anchorY;
};

class TextAnchorScreenshotTest : public render_test::GameDataScreenFixture,
                                 public ::testing::WithParamInterface<AnchorCase> {
 protected:
  static constexpr float kAnchorPointX = 160.0f;
  static constexpr float kAnchorPointY = 120.0f;

  TextAnchorScreenshotTest() : GameDataScreenFixture(320, 240) {}

  render_test::PixelBox DrawAnchored(render::Font* font, std::int32_t anchorX, std::int32_t anchorY) {
    const float black[4] = {0, 0, 0, 1};
    EXPECT_EQ(Frame(black,
                    [&] {
                      render::Graphics g(*render_);
                      g.SetFont(font);
                      auto draw = g.DrawText(kAnchoredText).Translate2D(kAnchorPointX, kAnchorPointY);
                      draw->anchorX = anchorX;
                      draw->anchorY = anchorY;
                    }),
              QL_OK);
    return LitBox(Picture());
  }

  const base::WString kAnchoredText = u"HHHH";
};

// The anchor moves the text's measured box onto the point: centring floors
// the half width and the half height, as the text anchors do.
TEST_P(TextAnchorScreenshotTest, TheLitPixelsSitInTheBoxTheAnchorPlacesOnThePoint) {
  auto font = GameFont(u"main_32_1");
  ASSERT_TRUE(font);
  float width = 0.0f;
  float height = 0.0f;
  {
    auto measure = font->CreateTextParam(kAnchoredText);
    measure->outWidth = &width;
    measure->outHeight = &height;
  }
  ASSERT_GT(width, 0.0f);
  const AnchorCase& c = GetParam();
  int dx = 0;
  if (c.anchorX == render::kAnchorRight) dx = -static_cast<int>(width);
  if (c.anchorX == render::kAnchorCenter) dx = static_cast<int>(std::floor(-0.5f * width));
  int dy = 0;
  if (c.anchorY == render::kAnchorBottom) dy = -static_cast<int>(height);
  if (c.anchorY == render::kAnchorMiddle) dy = -static_cast<int>(std::floor(0.5f * height));

  const render_test::PixelBox topLeft = DrawAnchored(font.Get(), render::kAnchorLeft, render::kAnchorTop);
  const render_test::PixelBox anchored = DrawAnchored(font.Get(), c.anchorX, c.anchorY);
  EXPECT_EQ(anchored, (render_test::PixelBox{topLeft.left + dx, topLeft.top + dy, topLeft.right + dx,
                                             topLeft.bottom + dy}));
  const int boxLeft = static_cast<int>(kAnchorPointX) + dx;
  const int boxTop = static_cast<int>(kAnchorPointY) + dy;
  EXPECT_GE(anchored.left, boxLeft);
  EXPECT_GE(anchored.top, boxTop);
  EXPECT_LE(anchored.right, boxLeft + static_cast<int>(std::ceil(width)));
  EXPECT_LE(anchored.bottom, boxTop + static_cast<int>(std::ceil(height)));
  font.Release();
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, TextAnchorScreenshotTest,
    ::testing::Values(AnchorCase{"LeftTop", render::kAnchorLeft, render::kAnchorTop},
                      AnchorCase{"LeftMiddle", render::kAnchorLeft, render::kAnchorMiddle},
                      AnchorCase{"LeftBottom", render::kAnchorLeft, render::kAnchorBottom},
                      AnchorCase{"CentreTop", render::kAnchorCenter, render::kAnchorTop},
                      AnchorCase{"CentreMiddle", render::kAnchorCenter, render::kAnchorMiddle},
                      AnchorCase{"CentreBottom", render::kAnchorCenter, render::kAnchorBottom},
                      AnchorCase{"RightTop", render::kAnchorRight, render::kAnchorTop},
                      AnchorCase{"RightMiddle", render::kAnchorRight, render::kAnchorMiddle},
                      AnchorCase{"RightBottom", render::kAnchorRight, render::kAnchorBottom}),
    [](const ::testing::TestParamInfo<AnchorCase>& info) { return info.param.name; });

}  // namespace
