#include "Core/Base/Utf.h"

#include <gtest/gtest.h>

namespace {

TEST(UtfTest, ValidTextRoundTrips) {
  const std::string text = "Lanternfall \xC3\xA9\xE2\x82\xAC\xF0\x9F\x8F\xB0";  // é, €, a castle outside the BMP
  const base::WString wide = base::WideFromUtf8Lenient(text);
  EXPECT_EQ(wide, u"Lanternfall \u00E9\u20AC\U0001F3F0");
  EXPECT_EQ(base::Utf8FromWideLenient(wide), text);
}

TEST(UtfTest, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(base::WideFromUtf8Lenient("a\xFF" "b\xC3"), u"a\uFFFDb\uFFFD");
  const char16_t loneHigh[] = {u'x', 0xD800, u'y', 0};
  const char16_t loneLow[] = {0xDC00, 0};
  EXPECT_EQ(base::Utf8FromWideLenient(loneHigh), "x\xEF\xBF\xBDy");
  EXPECT_EQ(base::Utf8FromWideLenient(loneLow), "\xEF\xBF\xBD");
}

}  // namespace
