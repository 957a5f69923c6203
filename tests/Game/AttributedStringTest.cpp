#include "Game/AttributedString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/Image.h"
#include "tests/Support/CaseNames.h"

namespace {

struct SplitCase {
  const char* name;
  const char16_t* text;
  // Image chunks as "[$]" or "[#]", text chunks as "'run'".
  std::vector<std::string> chunks;
};

class AttributedStringSplitTest : public ::testing::TestWithParam<SplitCase> {
 protected:
  std::vector<std::string> Describe(const AttributedString& string) const {
    std::vector<std::string> described;
    for (const AttributedChunk* chunk : string.chunks()) {
      if (const auto* image = dynamic_cast<const AttributedImageChunk*>(chunk)) {
        described.push_back(image->image() == &money_ ? "[$]" : image->image() == &gem_ ? "[#]" : "[?]");
      } else if (const auto* text = dynamic_cast<const AttributedStringChunk*>(chunk)) {
        described.push_back("'" + base::ToNarrow(text->text(), base::kEncodingUtf8) + "'");
      }
    }
    return described;
  }

  render::Image money_;
  render::Image gem_;
};

TEST_P(AttributedStringSplitTest, MappedCharactersBecomeImagesBetweenRuns) {
  AttributedString string;
  string.setImage(u'$', &money_);
  string.setImage(u'#', &gem_);
  string.setText(GetParam().text);
  string.split();
  EXPECT_EQ(Describe(string), GetParam().chunks);
  string.split();
  EXPECT_EQ(Describe(string), GetParam().chunks) << "a second split replaces the chunks";
  EXPECT_FLOAT_EQ(string.width(), 0.0f) << "without a font and with empty images nothing has width";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AttributedStringSplitTest,
    ::testing::Values(SplitCase{"PriceAfterIcon", u"$25", {"[$]", "'25'"}},
                      SplitCase{"TwoPricesEndWithAnEmptyRun", u"15$ 2#", {"'15'", "[$]", "' 2'", "[#]", "''"}},
                      SplitCase{"OnlyIcons", u"$#$", {"[$]", "[#]", "[$]", "''"}},
                      SplitCase{"Empty", u"", {"''"}},
                      SplitCase{"NoIcon", u"Sold out", {"'Sold out'"}}),
    testing_support::RowName());

TEST(AttributedStringTest, ACharacterMappedToNoImageIsAnEmptyImageChunk) {
  AttributedString string;
  string.setImage(u'$', nullptr);
  string.setText(u"5$");
  string.split();
  ASSERT_EQ(string.chunks().size(), 3u);
  const auto* image = dynamic_cast<const AttributedImageChunk*>(string.chunks()[1]);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->image(), nullptr);
  EXPECT_FLOAT_EQ(image->width(), 0.0f);
}

}  // namespace
