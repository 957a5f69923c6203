#include <gtest/gtest.h>

#include <vector>

#include "Core/Render/TextLayout.h"

namespace {

using render::TextFormat;
using render::TextLine;

// Letters 10 wide, a space 5, '?' 8; 'V' after 'A' moves 2 closer.
render::BMFontGlyphMap Glyphs() {
  render::BMFontGlyphMap glyphs;
  for (const char16_t c : std::u16string(u"abAV")) glyphs[c].xAdvance = 10.0f;
  glyphs[u' '].xAdvance = 5.0f;
  glyphs[u'?'].xAdvance = 8.0f;
  glyphs[u'V'].kernings[u'A'] = -2.0f;
  return glyphs;
}

std::vector<TextLine> Layout(const base::WString& text, const TextFormat& format) {
  const render::BMFontGlyphMap glyphs = Glyphs();
  const auto fallback = glyphs.find(format.fallback);
  const render::TextGlyphs source{glyphs, fallback == glyphs.end() ? nullptr : &fallback->second};
  render::TextLines lines;
  render::LayoutLines(text, format, source, &lines);
  std::vector<TextLine> out;
  for (std::size_t i = 0; i < lines.Size(); ++i) out.push_back(lines[i]);
  return out;
}

TextFormat Box(float width) {
  TextFormat format;
  format.boxWidth = width;
  return format;
}

struct LayoutCase {
  const char* name;
  base::WString text;
  TextFormat format;
  // first, count, width, spaces, x offset, justifiable
  std::vector<TextLine> lines;
};

TextLine Line(std::uint32_t first, std::uint32_t count, float width, std::uint32_t spaces = 0, float xOffset = 0,
              bool justifiable = false) {
  return {width, first, count, spaces, xOffset, justifiable};
}

TextFormat Indented(float indent, float box = 0) {
  TextFormat format = Box(box);
  format.firstLineIndent = indent;
  return format;
}

TextFormat Spaced(float spacing) {
  TextFormat format;
  format.characterSpacing = spacing;
  return format;
}

TextFormat WithFallback(char16_t fallback) {
  TextFormat format;
  format.fallback = fallback;
  return format;
}

class LayoutLinesTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutLinesTest, BreaksAndMeasuresLines) {
  const std::vector<TextLine> lines = Layout(GetParam().text, GetParam().format);
  ASSERT_EQ(lines.size(), GetParam().lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    const TextLine& expected = GetParam().lines[i];
    EXPECT_EQ(lines[i].first, expected.first);
    EXPECT_EQ(lines[i].count, expected.count);
    EXPECT_FLOAT_EQ(lines[i].width, expected.width);
    EXPECT_EQ(lines[i].spaceCount, expected.spaceCount);
    EXPECT_FLOAT_EQ(lines[i].xOffset, expected.xOffset);
    EXPECT_EQ(lines[i].justifiable, expected.justifiable);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LayoutLinesTest,
    ::testing::Values(
        LayoutCase{"OneLine", u"ab", {}, {Line(0, 2, 20)}},
        LayoutCase{"Empty", u"", {}, {}},
        LayoutCase{"TrailingSpacesTakeNoRoom", u"ab  ", {}, {Line(0, 2, 20)}},
        LayoutCase{"LineBreaks", u"ab\n\na", {}, {Line(0, 2, 20), Line(3, 0, 0), Line(4, 1, 10)}},
        LayoutCase{"FinalLineBreakAddsNoLine", u"ab\n", {}, {Line(0, 2, 20)}},
        LayoutCase{"FinalLineBreakAddsNoLineWithAnIndent", u"ab\n", Indented(7), {Line(0, 2, 27, 0, 7)}},
        LayoutCase{"Kerning", u"AV", {}, {Line(0, 2, 18)}},
        LayoutCase{"CharacterSpacing", u"a b", Spaced(1), {Line(0, 3, 28)}},
        LayoutCase{"MissingCharacterTakesNoRoom", u"a#b", {}, {Line(0, 3, 20)}},
        LayoutCase{"FallbackTakesItsRoom", u"a#b", WithFallback(u'?'), {Line(0, 3, 28)}},
        LayoutCase{"WrapsAtTheLastSpace",
                   u"ab ab ab",
                   Box(50),
                   {Line(0, 5, 45, 1, 0, true), Line(6, 2, 20)}},
        LayoutCase{"SpacesAtTheWrapBelongToNoLine", u"ab   ab", Box(30), {Line(0, 2, 20, 0, 0, true), Line(5, 2, 20)}},
        LayoutCase{"LongWordBreaksBetweenCharacters",
                   u"aaaaaaa",
                   Box(35),
                   {Line(0, 3, 30, 0, 0, true), Line(3, 3, 30, 0, 0, true), Line(6, 1, 10)}},
        LayoutCase{"LongWordAfterAWrap",
                   u"a aaaaa",
                   Box(35),
                   {Line(0, 1, 10, 0, 0, true), Line(2, 3, 30, 0, 0, true), Line(5, 2, 20)}},
        LayoutCase{"CharacterWiderThanTheBoxStays", u"ab", Box(5), {Line(0, 1, 10, 0, 0, true), Line(1, 1, 10)}},
        LayoutCase{"IndentStartsEveryParagraph",
                   u"ab ab\nab",
                   Indented(7),
                   {Line(0, 5, 52, 0, 7), Line(6, 2, 27, 0, 7)}},
        LayoutCase{"IndentOnlyOnAParagraphsFirstLine",
                   u"ab ab",
                   Indented(7, 40),
                   {Line(0, 2, 27, 0, 7, true), Line(3, 2, 20)}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

// The first lines are kept in place, the rest on the heap: both read back
// in order.
TEST(LayoutLinesTest, KeepsEveryLineOfATextLongerThanTheLinesKeptInPlace) {
  constexpr std::uint32_t kLines = render::kTextLinesInPlace + 3;
  base::WString text;
  for (std::uint32_t i = 0; i < kLines; ++i) text += i % 2 ? u"ab\n" : u"a\n";
  const std::vector<TextLine> lines = Layout(text, {});
  ASSERT_EQ(lines.size(), kLines);
  std::uint32_t first = 0;
  for (std::uint32_t i = 0; i < kLines; ++i) {
    const std::uint32_t count = i % 2 ? 2 : 1;
    EXPECT_EQ(lines[i].first, first) << i;
    EXPECT_EQ(lines[i].count, count) << i;
    EXPECT_FLOAT_EQ(lines[i].width, 10.0f * static_cast<float>(count)) << i;
    first += count + 1;
  }
}

struct PlacementCase {
  const char* name;
  TextLine line;
  float width;
  std::uint32_t alignment;
  bool justifySingleWords;
  render::TextLinePlacement expected;
};

class PlaceLineTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceLineTest, AlignsAndJustifies) {
  TextFormat format;
  format.alignment = GetParam().alignment;
  format.justifySingleWords = GetParam().justifySingleWords;
  const render::TextLinePlacement placement = render::PlaceLine(GetParam().line, GetParam().width, format);
  EXPECT_FLOAT_EQ(placement.penX, GetParam().expected.penX);
  EXPECT_FLOAT_EQ(placement.extraPerSpace, GetParam().expected.extraPerSpace);
  EXPECT_FLOAT_EQ(placement.extraPerCharacter, GetParam().expected.extraPerCharacter);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlaceLineTest,
    ::testing::Values(
        PlacementCase{"Left", Line(0, 2, 20, 0, 7), 100, render::kAlignLeft, true, {7, 0, 0}},
        PlacementCase{"Right", Line(0, 2, 20, 0, 7), 100, render::kAlignRight, true, {80, 0, 0}},
        PlacementCase{"CentreRoundsUp", Line(0, 2, 99, 0, 3), 100, render::kAlignCenter, true, {4, 0, 0}},
        PlacementCase{"JustifySpreadsOverSpaces", Line(0, 8, 90, 2, 0, true), 100, render::kAlignJustify, true,
                      {0, 5, 0}},
        PlacementCase{"JustifySingleWord", Line(0, 4, 94, 0, 0, true), 100, render::kAlignJustify, true, {0, 0, 2}},
        PlacementCase{"SingleWordsLeftAlone", Line(0, 4, 94, 0, 0, true), 100, render::kAlignJustify, false,
                      {0, 0, 0}},
        PlacementCase{"LastLineNotJustified", Line(0, 8, 90, 2), 100, render::kAlignJustify, true, {0, 0, 0}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

}  // namespace
