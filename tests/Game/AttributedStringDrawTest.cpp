// A price label of the tower menu drawn in the game's own font, read back
// from the screen.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Game/AttributedString.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/SolidImage.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 160;
constexpr float kCentreX = 160.0f;
constexpr float kCentreY = 80.0f;
constexpr int kIcon = 20;
constexpr std::uint32_t kMoney = 0xFFFF0000u;
constexpr std::uint32_t kGem = 0xFF0000FFu;
constexpr float kBlack[4] = {0, 0, 0, 1};

using Pixels = std::vector<std::uint32_t>;
using render_test::PixelBox;

int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFFu); }

// The icons are pure red and pure blue; the font's glyphs are grey to white.
bool IsMoney(std::uint32_t argb) { return Channel(argb, 16) > 0x80 && Channel(argb, 8) < 0x40; }
bool IsGem(std::uint32_t argb) { return Channel(argb, 0) > 0x80 && Channel(argb, 8) < 0x40; }
bool IsText(std::uint32_t argb) { return Channel(argb, 8) > 0x40; }

template <class Test>
PixelBox BoxOf(const Pixels& picture, Test test) {
  PixelBox box{kWidth, kHeight, 0, 0};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (test(picture[static_cast<std::size_t>(y * kWidth + x)]))
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  return box.left < box.right ? box : PixelBox{};
}

float MiddleX(const PixelBox& box) { return (box.left + box.right) * 0.5f; }
float MiddleY(const PixelBox& box) { return (box.top + box.bottom) * 0.5f; }

class AttributedStringDrawTest : public render_test::GameDataScreenFixture {
 protected:
  AttributedStringDrawTest() : GameDataScreenFixture(kWidth, kHeight) {}

  Pixels Draw(const AttributedString& string, float scale) {
    math::Transform2D transform;
    transform.Scale(scale, scale);
    transform.Translate(kCentreX, kCentreY);
    EXPECT_EQ(Frame(kBlack,
                    [&] {
                      render::Graphics graphics(*render_);
                      string.draw(&graphics, transform);
                    }),
              QL_OK);
    return Picture();
  }
};

TEST_F(AttributedStringDrawTest, APriceLineIsCentredWithItsIconsOnTheTextsMiddle) {
  auto font = GameFont(u"main_32_1");
  ASSERT_TRUE(font);
  const std::unique_ptr<render::Image> money = testing_support::MakeSolidImage(*render_, kIcon, kIcon, kMoney);
  const std::unique_ptr<render::Image> gem = testing_support::MakeSolidImage(*render_, kIcon, kIcon, kGem);
  ASSERT_TRUE(money && gem);
  {
    AttributedString string;
    string.setFont(resource::ResourceHandle<render::Font>(font.Get()));
    string.setImage(u'$', money.get());
    string.setImage(u'#', gem.get());
    string.setText(u"150$ 2#");
    string.split();
    ASSERT_EQ(string.chunks().size(), 5u);
    const float width = string.width();
    EXPECT_GT(width, 2.0f * kIcon + 3.0f * 10.0f);

    for (const float scale : {1.0f, 2.0f}) {
      SCOPED_TRACE(scale);
      const Pixels picture = Draw(string, scale);
      SavePicture(testFolder_ / (scale == 1.0f ? "price_label.png" : "price_label_x2.png"), picture);
      const PixelBox all = BoxOf(picture, [](std::uint32_t argb) { return argb != 0xFF000000u; });
      const PixelBox coin = BoxOf(picture, IsMoney);
      const PixelBox jewel = BoxOf(picture, IsGem);
      const PixelBox text = BoxOf(picture, IsText);
      ASSERT_LT(coin.left, coin.right);
      ASSERT_LT(jewel.left, jewel.right);
      ASSERT_LT(text.left, text.right);

      EXPECT_NEAR(coin.right - coin.left, kIcon * scale, 1.0f);
      EXPECT_NEAR(jewel.right - jewel.left, kIcon * scale, 1.0f);
      // The line's ink spans its measured width, centred on the origin.
      EXPECT_NEAR(all.right - all.left, width * scale, 3.0f * scale);
      EXPECT_NEAR(MiddleX(all), kCentreX, 2.0f * scale);
      // Both icons sit on the line's middle, and the digits around it.
      EXPECT_NEAR(MiddleY(coin), kCentreY, 1.0f);
      EXPECT_NEAR(MiddleY(jewel), kCentreY, 1.0f);
      EXPECT_NEAR(MiddleY(text), kCentreY, 0.25f * font->GetSize() * scale);
      // "150", the coin, " 2", the gem: the gem ends the line.
      EXPECT_LT(text.left, coin.left);
      EXPECT_LT(coin.right, jewel.left);
      EXPECT_EQ(jewel.right, all.right);
    }
  }
  font.Release();
}

}  // namespace
