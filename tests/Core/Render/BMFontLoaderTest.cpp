#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/BMFont.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

// A font without pages: everything but the drawing works without a Render.
constexpr const char* kTinyFont = R"(<?xml version="1.0"?>
<font>
  <info face="Tiny" size="16" bold="0" italic="0" charset="" unicode="1" stretchH="100" smooth="1" aa="1" padding="1,2,3,4" spacing="1,1" outline="0"/>
  <common lineHeight="18" base="13" scaleW="64" scaleH="64" pages="0" packed="0" alphaChnl="0" redChnl="4" greenChnl="4" blueChnl="4"/>
  <pages/>
  <chars count="3">
    <char id="32" x="0" y="0" width="0" height="0" xoffset="0" yoffset="13" xadvance="4" page="0" chnl="15"/>
    <char id="65" x="1" y="2" width="8" height="10" xoffset="0" yoffset="3" xadvance="9" page="0" chnl="15"/>
    <char id="86" x="10" y="2" width="8" height="10" xoffset="1" yoffset="3" xadvance="9" page="0" chnl="15"/>
  </chars>
  <kernings count="1">
    <kerning first="65" second="86" amount="-2"/>
  </kernings>
</font>
)";

struct Edit {
  std::string from;
  std::string to;
};

// Replaces every occurrence of each edit's text.
std::string Edited(std::string text, const std::vector<Edit>& edits) {
  for (const Edit& edit : edits) {
    EXPECT_NE(text.find(edit.from), std::string::npos) << edit.from;
    for (std::size_t at = text.find(edit.from); at != std::string::npos;
         at = text.find(edit.from, at + edit.to.size())) {
      text.replace(at, edit.from.size(), edit.to);
    }
  }
  return text;
}

class BMFontLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    log_.clear();
  }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  QLResultEnum Load(const std::string& text) {
    base::MemoryStream stream(text.data(), static_cast<std::uint32_t>(text.size()));
    return font_.LoadXml(stream);
  }

  render::BMFont font_;
  std::vector<base::WString> log_;
};

TEST_F(BMFontLoaderTest, ReadsMetricsGlyphsAndKernings) {
  ASSERT_EQ(Load(kTinyFont), QL_OK);
  EXPECT_EQ(font_.GetFace(), "Tiny");
  EXPECT_FLOAT_EQ(font_.GetSize(), 16.0f);
  EXPECT_FLOAT_EQ(font_.GetBase(), 13.0f);
  EXPECT_FLOAT_EQ(font_.GetDescent(), 3.0f);
  EXPECT_FLOAT_EQ(font_.GetLineAdvance(), 16.0f);
  EXPECT_FLOAT_EQ(font_.GetLineHeight(), 18.0f);
  EXPECT_EQ(font_.GetGlyphs().size(), 3u);
  const render::BMFontGlyph& v = font_.GetGlyphs().at(u'V');
  EXPECT_FLOAT_EQ(v.x, 10.0f);
  EXPECT_FLOAT_EQ(v.xOffset, 1.0f);
  EXPECT_FLOAT_EQ(v.KerningAfter(u'A'), -2.0f);
  EXPECT_TRUE(font_.HasGlyph(u'A'));
  EXPECT_FALSE(font_.HasGlyph(u'B'));
}

struct LoadCase {
  const char* name;
  std::vector<Edit> edits;
  QLResultEnum expected;
};

class BMFontLoadCaseTest : public BMFontLoaderTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(BMFontLoadCaseTest, AcceptsOnlyWhatItCanDraw) {
  EXPECT_EQ(Load(Edited(kTinyFont, GetParam().edits)), GetParam().expected);
  // A refusal says why.
  EXPECT_EQ(log_.empty(), GetParam().expected == QL_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BMFontLoadCaseTest,
    ::testing::Values(
        LoadCase{"NotUnicode", {{R"(unicode="1")", R"(unicode="0")"}}, QL_FAIL},
        LoadCase{"MisspelledCharsetIsTaken", {{R"(charset="")", R"(chasrset="")"}}, QL_OK},
        LoadCase{"NoCharsetAtAll", {{R"(charset="")", ""}}, QL_FAIL},
        LoadCase{"NoChars", {{"<chars ", "<glyphs "}, {"</chars>", "</glyphs>"}}, QL_FAIL},
        LoadCase{"OrphanKerning", {{R"(second="86")", R"(second="66")"}}, QL_FAIL},
        LoadCase{"NoKerningsIsFine", {{"<kernings", "<others"}, {"</kernings>", "</others>"}}, QL_OK},
        LoadCase{"RedChannelNotOne", {{R"(redChnl="4")", R"(redChnl="0")"}}, QL_FAIL},
        LoadCase{"Packed", {{R"(packed="0")", R"(packed="1")"}}, QL_FAIL},
        LoadCase{"NoPages", {{"<pages/>", ""}}, QL_FAIL},
        LoadCase{"PageBeyondTheCount", {{"<pages/>", R"(<pages><page id="0" file="p.png"/></pages>)"}}, QL_FAIL},
        LoadCase{"NegativePageCount", {{R"(pages="0")", R"(pages="-1")"}}, QL_FAIL},
        LoadCase{"HugePageCount", {{R"(pages="0")", R"(pages="4000000000")"}}, QL_FAIL},
        LoadCase{"MissingAttribute", {{R"( xadvance="4")", ""}}, QL_FAIL},
        LoadCase{"MalformedReal", {{R"(size="16")", R"(size="big")"}}, QL_FAIL},
        LoadCase{"NonFiniteReal", {{R"(size="16")", R"(size="inf")"}}, QL_FAIL},
        LoadCase{"ThreePaddings", {{R"(padding="1,2,3,4")", R"(padding="1,2,3")"}}, QL_FAIL},
        LoadCase{"NotXml", {{"</font>", ""}}, QL_FAIL},
        LoadCase{"NoFontRoot", {{"<font>", "<fnt>"}, {"</font>", "</fnt>"}}, QL_FAIL}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(BMFontLoaderTest, ANegativeSizeIsTheSameSize) {
  ASSERT_EQ(Load(Edited(kTinyFont, {{R"(size="16")", R"(size="-16")"}})), QL_OK);
  EXPECT_FLOAT_EQ(font_.GetSize(), 16.0f);
}

TEST_F(BMFontLoaderTest, SkipsCharactersBeyondSixteenBitsInsteadOfFoldingThem) {
  // 0x10041 would fold onto 'A' (0x41); its kerning pair goes with it.
  const std::string text =
      Edited(kTinyFont, {{"</chars>", R"(<char id="65601" x="30" y="0" width="1" height="1" xoffset="0" yoffset="0" xadvance="50" page="0" chnl="15"/></chars>)"},
                         {"</kernings>", R"(<kerning first="65" second="65601" amount="-7"/></kernings>)"}});
  ASSERT_EQ(Load(text), QL_OK);
  EXPECT_EQ(font_.GetGlyphs().size(), 3u);
  EXPECT_FLOAT_EQ(font_.GetGlyphs().at(u'A').xAdvance, 9.0f);
  EXPECT_FLOAT_EQ(font_.GetGlyphs().at(u'A').KerningAfter(u'A'), 0.0f);
}

TEST_F(BMFontLoaderTest, LoadsByNameThroughTheFileManagerAndForgetsAFailedLoad) {
  const testing_support::DataRoot root;
  root.WriteFile("fonts/tiny.fnt", kTinyFont);
  root.WriteFile("fonts/broken.fnt", Edited(kTinyFont, {{R"(unicode="1")", R"(unicode="0")"}}));
  auto* manager = resource::ResourceManager::Instance();

  const auto tiny = manager->Get<render::BMFont>(u"fonts/tiny");
  ASSERT_TRUE(tiny);
  EXPECT_EQ(tiny->Load(), QL_OK);
  EXPECT_EQ(tiny->GetGlyphs().size(), 3u);

  const auto broken = manager->Get<render::BMFont>(u"fonts/broken");
  EXPECT_NE(broken->Load(), QL_OK);
  EXPECT_FALSE(broken->IsLoaded());
  EXPECT_TRUE(broken->GetGlyphs().empty());

  // The name is taken as it is: no extension but ".fnt" is tried.
  EXPECT_NE(manager->Get<render::BMFont>(u"fonts/tiny.fnt")->Load(), QL_OK);
}

TEST_F(BMFontLoaderTest, MeasuresWithoutAGraphics) {
  ASSERT_EQ(Load(kTinyFont), QL_OK);
  float size[2] = {};
  render::TextFormat format;
  format.lineSpacing = 4.0f;
  ASSERT_EQ(font_.DrawText(nullptr, nullptr, u"AV\nA\nV", format, size), QL_OK);
  EXPECT_FLOAT_EQ(size[0], 16.0f);
  // Three lines of size 16, two line advances of 16 + 4 apart.
  EXPECT_FLOAT_EQ(size[1], 56.0f);
}

}  // namespace
