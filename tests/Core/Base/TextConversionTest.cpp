#include "Core/Base/TextConversion.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

constexpr unsigned kUtf8Codes[] = {base::kEncodingUtf8, base::kEncodingAnsi, base::kEncodingOem};

TEST(TextConversionTest, Utf8CodesConvertEAcuteBothWays) {
  for (const unsigned code : kUtf8Codes) {
    SCOPED_TRACE(code);
    EXPECT_EQ(base::ToWide("\xC3\xA9", code), u"\u00E9");
    EXPECT_EQ(base::ToNarrow(u"\u00E9", code), "\xC3\xA9");
  }
}

TEST(TextConversionTest, Utf8CodesKeepWholeTextBeyondLatin1AndEmbeddedNul) {
  const std::string narrow = "kp/\xE6\x97\xA5\xE2\x82\xAC\0\xF0\x9F\x8F\xB0.png"s;
  const base::WString wide = u"kp/\u65E5\u20AC\0\U0001F3F0.png"s;
  for (const unsigned code : kUtf8Codes) {
    SCOPED_TRACE(code);
    EXPECT_EQ(base::ToWide(narrow, code), wide);
    EXPECT_EQ(base::ToNarrow(wide, code), narrow);
  }
}

TEST(TextConversionTest, MalformedUtf8BecomesReplacementCharacter) {
  struct Case {
    std::string narrow;
    base::WString wide;
  };
  const Case cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"end\xE2\x82", u"end\uFFFD"},
      {"a\xF0\x9F\x8Fz", u"a\uFFFDz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.narrow));
    EXPECT_EQ(base::ToWide(c.narrow, base::kEncodingUtf8), c.wide);
  }
}

TEST(TextConversionTest, ForbiddenUtf8FormsBecomeOnlyReplacementCharacters) {
  const std::string forms[] = {
      "\xED\xA0\x80",      // an encoded surrogate
      "\xC0\xAF",          // overlong '/'
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\x80\x80",          // continuation bytes without a lead
  };
  for (const std::string& form : forms) {
    SCOPED_TRACE(testing::PrintToString(form));
    const base::WString wide = base::ToWide(form, base::kEncodingUtf8);
    EXPECT_FALSE(wide.empty());
    EXPECT_TRUE(std::all_of(wide.begin(), wide.end(), [](char16_t unit) { return unit == u'\uFFFD'; }));
  }
}

TEST(TextConversionTest, LoneSurrogateBecomesReplacementCharacter) {
  const char16_t loneHigh[] = {u'a', 0xD83C, u'b', 0};
  const char16_t reversedPair[] = {0xDFF0, 0xD83C, 0};
  EXPECT_EQ(base::ToNarrow(loneHigh, base::kEncodingUtf8), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(base::ToNarrow(reversedPair, base::kEncodingUtf8), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextConversionTest, RawBytesWidenAsLatin1AndRoundTripEveryByte) {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    bytes.push_back(static_cast<char>(byte));
  }
  const base::WString wide = base::ToWide(bytes, base::kEncodingBytes);
  ASSERT_EQ(wide.size(), 256u);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    EXPECT_EQ(wide[i], static_cast<char16_t>(i));
  }
  EXPECT_EQ(base::ToNarrow(wide, base::kEncodingBytes), bytes);
}

TEST(TextConversionTest, UnknownCodeGivesEmptyText) {
  for (const unsigned code : {4u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(base::ToWide("abc", code), u"");
    EXPECT_EQ(base::ToNarrow(u"abc", code), "");
  }
}

TEST(TextConversionTest, RemoveCharDropsEveryOccurrenceOnly) {
  EXPECT_EQ(RemoveChar(" a b  c ", ' '), "abc");
  EXPECT_EQ(RemoveChar("1;\t2 ;3", ' '), "1;\t2;3");
  EXPECT_EQ(RemoveChar("abc", ' '), "abc");
}

}  // namespace
