#include "Core/Base/NumberText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct IntCase {
  const char* text;
  std::optional<int> expected;
};

TEST(NumberTextTest, LeadingIntReadsLikeAtoiWithoutOverflow) {
  const IntCase cases[] = {
      {"42", 42},         {"  -7;", -7},      {"+3", 3},           {"2.5", 2},
      {"12px", 12},       {"", std::nullopt}, {"abc", std::nullopt}, {"-", std::nullopt},
      {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"\t0", 0},
  };
  for (const IntCase& c : cases) EXPECT_EQ(base::LeadingInt(c.text), c.expected) << '"' << c.text << '"';
}

struct FloatCase {
  const char* text;
  std::optional<float> expected;
};

TEST(NumberTextTest, LeadingFloatReadsWithAPointWhateverTheLocale) {
  const FloatCase cases[] = {
      {"2.5", 2.5f},      {" -0.25", -0.25f}, {"+1e2", 100.0f},      {"3px", 3.0f},
      {"7,5", 7.0f},      {"abc", std::nullopt}, {"", std::nullopt}, {"1e999", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(base::LeadingFloat(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
