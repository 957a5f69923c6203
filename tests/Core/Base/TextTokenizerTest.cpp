#include "Core/Base/TextTokenizer.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> AllTokens(TextTokenizer& tokenizer) {
  std::vector<std::string> tokens;
  std::string token;
  while (tokenizer.NextToken(&token)) {
    tokens.push_back(token);
  }
  return tokens;
}

TEST(TextTokenizerTest, SplitsTrimsAndCounts) {
  struct Case {
    std::string text;
    char delimiter;
    bool skipEmpty;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"a;b;;c", ';', false, {"a", "b", "", "c"}},
      {"a;b;;c", ';', true, {"a", "b", "c"}},
      {" a ; b ", ';', false, {"a", "b"}},
      {"\ta\t;\t b", ';', false, {"a", "b"}},
      {"a;", ';', false, {"a", ""}},
      {"a;", ';', true, {"a"}},
      {"a; ;\t;b", ';', true, {"a", "b"}},
      {"", ';', false, {""}},
      {"", ';', true, {}},
      {" \t ", ';', false, {""}},
      {" ; ", ';', false, {"", ""}},
      {";;", ';', true, {}},
      {"abc", ';', false, {"abc"}},
      {"tag;file.ogg\r", ';', false, {"tag", "file.ogg\r"}},
      {"1;2\r\n\r\n3;4\r\n", '\n', false, {"1;2\r", "\r", "3;4\r", ""}},
      {"1,2\n\n3", '\n', true, {"1,2", "3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + (c.skipEmpty ? " skipping empty" : ""));
    TextTokenizer tokenizer(c.text, c.delimiter, c.skipEmpty);
    EXPECT_EQ(tokenizer.CountTokens(), static_cast<int>(c.tokens.size()));
    EXPECT_EQ(AllTokens(tokenizer), c.tokens);
    EXPECT_FALSE(tokenizer.NextToken(nullptr));
  }
}

TEST(TextTokenizerTest, ExhaustedTokenizerLeavesOutputAlone) {
  TextTokenizer tokenizer("a; ", ';', true);
  std::string token;
  ASSERT_TRUE(tokenizer.NextToken(&token));
  EXPECT_FALSE(tokenizer.NextToken(&token));
  EXPECT_EQ(token, "a");
}

TEST(TextTokenizerTest, NullOutputSkipsOneToken) {
  TextTokenizer tokenizer("a;;b;c", ';', true);
  std::string token;
  ASSERT_TRUE(tokenizer.NextToken(nullptr));
  ASSERT_TRUE(tokenizer.NextToken(&token));
  EXPECT_EQ(token, "b");
}

TEST(TextTokenizerTest, CountingDoesNotMoveTheReadPosition) {
  for (const bool skipEmpty : {false, true}) {
    SCOPED_TRACE(skipEmpty);
    TextTokenizer tokenizer("a;b;c", ';', skipEmpty);
    std::string token;
    ASSERT_TRUE(tokenizer.NextToken(&token));
    EXPECT_EQ(tokenizer.CountTokens(), 3);
    ASSERT_TRUE(tokenizer.NextToken(&token));
    EXPECT_EQ(token, "b");
  }
}

TEST(TextTokenizerTest, IntTokensReadLikeAtoiButClamp) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const struct {
    std::string token;
    int value;
  } cases[] = {
      {"12x", 12},
      {"x", 0},
      {"", 0},
      {"-7", -7},
      {"+5", 5},
      {"1e3", 1},
      {"3\r", 3},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      {"2147483648", kMax},
      {"-99999999999", kMin},
      {"99999999999999999999999999", kMax},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.token));
    int value = -1;
    TextTokenizer(c.token, ';', false).NextInt(value);
    EXPECT_EQ(value, c.value);
  }
}

TEST(TextTokenizerTest, FloatTokensReadLikeAtofButClamp) {
  constexpr float kMax = std::numeric_limits<float>::max();
  const struct {
    std::string token;
    float value;
  } cases[] = {
      {"1.5", 1.5f},
      {"2.25x", 2.25f},
      {"x", 0.0f},
      {"-0.125", -0.125f},
      {"3", 3.0f},
      {"1e2", 100.0f},
      {"1e39", kMax},
      {"-1e39", -kMax},
      {"1e999", kMax},
      {"-1e999", -kMax},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.token));
    float value = -1.0f;
    TextTokenizer(c.token, ';', false).NextFloat(value);
    EXPECT_EQ(value, c.value);
  }
}

TEST(TextTokenizerTest, NumberReadsChainAndMissingTokensLeaveTargets) {
  int first = 0;
  float second = 0.0f;
  int missing = 42;
  float missingFloat = 4.5f;
  TextTokenizer tokenizer("7; 2.5 ;", ';', true);
  tokenizer.NextInt(first).NextFloat(second).NextInt(missing).NextFloat(missingFloat);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(second, 2.5f);
  EXPECT_EQ(missing, 42);
  EXPECT_EQ(missingFloat, 4.5f);
}

TEST(TextTokenizerTest, TrimRemovesOnlySpacesAndTabsAtTheEnds) {
  const struct {
    std::string text;
    std::string trimmed;
  } cases[] = {
      {"  a b\t", "a b"},
      {" \t ", ""},
      {"", ""},
      {"x", "x"},
      {"\r a \n", "\r a \n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    std::string text = c.text;
    TextTokenizer::Trim(text);
    EXPECT_EQ(text, c.trimmed);
  }
}

}  // namespace
