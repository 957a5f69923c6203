#include <gtest/gtest.h>

#include <string>

#include "Core/Render/BMFont.h"
#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Vertices.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/DataRoot.h"

namespace {

// Glyphs are 4 x 4 blocks 5 apart on an opaque white page: 'A' and 'B' at
// the page's left, the fallback '?' beside them, 'C' on a page that does not
// exist. 'B' after 'A' moves 2 closer.
constexpr const char* kBlockFont = R"(<?xml version="1.0"?>
<font>
  <info face="Blocks" size="8" bold="0" italic="0" charset="" unicode="1" stretchH="100" smooth="0" aa="1" padding="0,0,0,0" spacing="0,0" outline="0"/>
  <common lineHeight="8" base="6" scaleW="8" scaleH="8" pages="2" packed="0" alphaChnl="0" redChnl="4" greenChnl="4" blueChnl="4"/>
  <pages><page id="0" file="blocks_0.tga"/></pages>
  <chars>
    <char id="32" x="0" y="0" width="0" height="0" xoffset="0" yoffset="0" xadvance="3" page="0" chnl="15"/>
    <char id="65" x="0" y="0" width="4" height="4" xoffset="0" yoffset="2" xadvance="5" page="0" chnl="15"/>
    <char id="66" x="0" y="0" width="4" height="4" xoffset="0" yoffset="2" xadvance="5" page="0" chnl="15"/>
    <char id="63" x="4" y="0" width="4" height="4" xoffset="0" yoffset="2" xadvance="5" page="0" chnl="15"/>
    <char id="67" x="0" y="0" width="4" height="4" xoffset="0" yoffset="2" xadvance="5" page="1" chnl="15"/>
  </chars>
  <kernings><kerning first="65" second="66" amount="-2"/></kernings>
</font>
)";

// An uncompressed 32-bit TGA, top row first, every pixel opaque white.
std::string WhiteTga(int side) {
  std::string bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 2; ++i) {
    bytes += static_cast<char>(side);
    bytes += '\0';
  }
  bytes += static_cast<char>(32);
  bytes += static_cast<char>(0x28);
  bytes += std::string(static_cast<std::size_t>(side * side * 4), '\xFF');
  return bytes;
}

class BMFontDrawTest : public render_test::RenderDX9Fixture {
 protected:
  void SetUp() override {
    RenderDX9Fixture::SetUp();
    ASSERT_EQ(Start(), QL_OK);
    root_.WriteFile("fonts/blocks_0.tga", WhiteTga(8));
    root_.WriteFile("fonts/blocks.fnt", kBlockFont);
    font_ = resource::ResourceManager::Instance()->Get<render::BMFont>(u"fonts/blocks");
    ASSERT_TRUE(font_);
    font_->SetRender(render_.get());
    ASSERT_EQ(font_->Load(), QL_OK);
  }
  void TearDown() override {
    font_.Release();
    RenderDX9Fixture::TearDown();
  }

  std::uint32_t UsedVertices() const {
    return render::VertexCacheOf<render::SVertex2D>(*render_)->GetMainBuffer()->GetImpl()->GetUsed();
  }

  // Draws the text on black at the origin; the quads it took go to quads, and
  // the return value shows the row through the middle of the glyphs, '#'
  // where white was drawn.
  std::string DrawRow(const base::WString& text, char16_t fallback, std::uint32_t* quads) {
    const float black[4] = {0, 0, 0, 1};
    EXPECT_EQ(Frame(black,
                    [&] {
                      render::Graphics g(*render_);
                      g.SetFont(font_.Get());
                      const std::uint32_t before = UsedVertices();
                      {
                        auto draw = g.DrawText(text);
                        draw->format.fallback = fallback;
                      }
                      *quads = (UsedVertices() - before) / 4;
                    }),
              QL_OK);
    std::string row;
    for (int x = 0; x < render_test::kWidth; ++x) row += (Pixel(x, 3) & 0xFFFFFFu) == 0xFFFFFFu ? '#' : '.';
    return row;
  }

  testing_support::DataRoot root_;
  resource::ResourceHandle<render::BMFont> font_;
};

struct DrawCase {
  const char* name;
  base::WString text;
  char16_t fallback;
  std::uint32_t quads;
  std::string row;
};

class BMFontDrawCaseTest : public BMFontDrawTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(BMFontDrawCaseTest, DrawsEveryQuadItReservedWhereTheLayoutPutsIt) {
  std::uint32_t quads = 0;
  EXPECT_EQ(DrawRow(GetParam().text, GetParam().fallback, &quads), GetParam().row);
  EXPECT_EQ(quads, GetParam().quads);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BMFontDrawCaseTest,
    ::testing::Values(
        DrawCase{"FallbackStandsInForMissingCharacters", u"A#A#", u'?', 4, "####.####.####.####............."},
        DrawCase{"MissingCharactersWithoutFallbackTakeNoRoom", u"A#A#", 0, 2, "####.####......................."},
        DrawCase{"KerningMovesTheSecondGlyph", u"AB", 0, 2, "#######........................."},
        DrawCase{"SpacesOnlyAdvance", u"A A", 0, 2, "####....####...................."},
        DrawCase{"GlyphOnAMissingPageKeepsItsRoom", u"ACA", 0, 2, "####......####.................."}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

TEST_F(BMFontDrawTest, CreateTextParamOnlyMeasures) {
  const base::WString text = u"AB\nA";
  float width = 0.0f;
  float height = 0.0f;
  const std::uint32_t before = UsedVertices();
  {
    auto measure = font_->CreateTextParam(text);
    measure->outWidth = &width;
    measure->outHeight = &height;
  }
  EXPECT_EQ(UsedVertices(), before);
  EXPECT_FLOAT_EQ(width, 8.0f);
  EXPECT_FLOAT_EQ(height, 16.0f);
}

TEST_F(BMFontDrawTest, UnloadDropsThePagesAndKeepsTheGlyphs) {
  EXPECT_EQ(font_->GetPageCount(), 2u);
  ASSERT_EQ(font_->UnLoad(), QL_OK);
  EXPECT_EQ(font_->GetPageCount(), 0u);
  EXPECT_TRUE(font_->HasGlyph(u'A'));
}

}  // namespace
