#include "Core/Base/Format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

using Arg = std::variant<int, unsigned, float, const char*>;

struct Row {
  const char* format;
  std::vector<Arg> args;
  std::string expected;
  bool badDirective = false;
};

void PrintTo(const Row& row, std::ostream* os) { *os << '"' << row.format << '"'; }

template <typename Char>
std::basic_string<Char> Convert(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

template <typename Char>
struct Outcome {
  std::basic_string<Char> text;
  bool badDirective;
};

template <typename Char>
Outcome<Char> FormatRow(const Row& row) {
  BasicFormat<Char> format(Convert<Char>(row.format));
  for (const Arg& arg : row.args) {
    std::visit(
        [&format](auto value) {
          using T = decltype(value);
          if constexpr (std::is_same_v<T, int>) {
            format.AddInt(value);
          } else if constexpr (std::is_same_v<T, unsigned>) {
            format.AddUInt(value);
          } else if constexpr (std::is_same_v<T, float>) {
            format.AddFloat(value);
          } else if (value == nullptr) {
            format.AddString(static_cast<const Char*>(nullptr));
          } else {
            format.AddString(Convert<Char>(value));
          }
        },
        arg);
  }
  format.Finish();
  return {format.Text(), format.HasBadDirective()};
}

class FormatRows : public testing::TestWithParam<Row> {};

// The format with its marks spelled out, then the row's place in its table,
// which keeps formats that read alike apart: "[%-5d]" is Minus5d_1.
std::string FormatCaseName(const testing::TestParamInfo<Row>& info) {
  static const std::map<char, std::string> kMarks = {{'%', ""},       {'.', "Dot"},   {'-', "Minus"},
                                                     {'+', "Plus"},   {'#', "Hash"},  {'=', "Centre"},
                                                     {' ', "Space"},  {'*', "Star"}};
  std::string name;
  for (const char c : std::string_view(info.param.format)) {
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    const auto mark = kMarks.find(c);
    if (letterOrDigit) {
      name += c;
    } else if (mark != kMarks.end()) {
      name += mark->second;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  // "%%" and the like are marks only.
  if (name.empty()) name = "Marks";
  if (name.back() != '_') name += '_';
  return name + std::to_string(info.index);
}

TEST_P(FormatRows, NarrowAndWideGiveTheExpectedText) {
  const Row& row = GetParam();
  const Outcome narrow = FormatRow<char>(row);
  EXPECT_EQ(narrow.text, row.expected);
  EXPECT_EQ(narrow.badDirective, row.badDirective);
  const Outcome wide = FormatRow<base::WChar>(row);
  EXPECT_EQ(wide.text, Convert<base::WChar>(row.expected));
  EXPECT_EQ(wide.badDirective, row.badDirective);
}

const std::vector<Row> kIntegers = {
    {"[%5d]", {42}, "[   42]"},
    {"[%-5d]", {42}, "[42   ]"},
    {"[%=6d]", {42}, "[  42  ]"},
    {"[%=5d]", {42}, "[ 42  ]"},
    {"[%05d]", {-42}, "[-0042]"},
    {"[%-05d]", {42}, "[00042]"},
    {"[%=05d]", {42}, "[00042]"},
    {"[%2d]", {12345}, "[12345]"},
    {"%+d", {5}, "+5"},
    {"%+d", {-5}, "-5"},
    {"% d", {5}, " 5"},
    {"% 05d", {5}, " 0005"},
    {"%+05d", {5}, "+0005"},
    {"%+u", {5u}, "5"},
    {"%u", {4294967295u}, "4294967295"},
    {"%+x", {255}, "ff"},
    {"%#x", {255}, "0xff"},
    {"%#X", {255}, "0XFF"},
    {"%#08x", {255}, "0x0000ff"},
    {"%#08X", {255}, "0X0000FF"},
    {"%#x", {0}, "0x0"},
    {"%#o", {8}, "010"},
    {"%#o", {0}, "00"},
    {"%o", {-1}, "37777777777"},
    {"%b", {5}, "101"},
    {"%#b", {5}, "101"},
    {"%b", {-1}, std::string(32, '1')},
    {"%x", {-1}, "ffffffff"},
    {"%d", {INT_MIN}, "-2147483648"},
    {"%d", {INT_MAX}, "2147483647"},
    {"level_%02d_%02d", {3, 12}, "level_03_12"},
    // Widths saturate rather than wrap, so data cannot ask for gigabytes.
    {"%4000000000d", {1}, std::string(1023, ' ') + "1"},
    {"%4294967297d", {1}, std::string(1023, ' ') + "1"},
};
INSTANTIATE_TEST_SUITE_P(Integers, FormatRows, testing::ValuesIn(kIntegers), FormatCaseName);

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

const std::vector<Row> kFloats = {
    {"%f", {3.14159f}, "3.141590"},
    {"%.2f", {2.5f}, "2.50"},
    {"%.0f", {1.5f}, "1.500000"},
    {"%.f", {1.5f}, "1.500000"},
    {"%.9f", {1.0f}, "1.0000000"},
    {"%.2f", {-1.25f}, "-1.25"},
    {"%.2f", {0.999f}, "1.00"},
    {"%+f", {0.0f}, "0.000000"},
    {"%f", {-0.0f}, "0.000000"},
    {"% f", {1.0f}, " 1.000000"},
    {"%f", {FLT_MAX}, "340282346638528859811704183484516925440.000000"},
    {"%f", {-FLT_MAX}, "-340282346638528859811704183484516925440.000000"},
    {"%g", {0.0001f}, "0.0001"},
    {"%g", {0.01f}, "0.01"},
    {"%g", {0.5f}, "0.5"},
    {"%g", {100.0f}, "100"},
    {"%g", {123456.0f}, "123456"},
    {"%g", {1234567.0f}, "1.23457e+006"},
    {"%g", {0.0f}, "0"},
    {"%g", {9.999999f}, "10"},
    {"%+g", {-2.5f}, "-2.5"},
    {"%+g", {2.5f}, "+2.5"},
    {"%.3g", {2.71828f}, "2.72"},
    {"%G", {0.00001f}, "1E-005"},
    {"%g", {FLT_MAX}, "3.40282e+038"},
    {"%g", {std::numeric_limits<float>::denorm_min()}, "1.4013e-045"},
    {"%e", {1234.5f}, "1.234500e+003"},
    {"%E", {1234.5f}, "1.234500E+003"},
    {"%.2e", {-0.00125f}, "-1.25e-003"},
    {"%e", {0.0f}, "0.000000e+000"},
    {"%E", {0.0f}, "0.000000e+000"},
    {"%.5e", {9.999999f}, "1.00000e+001"},
    {"[%8.2f]", {3.14159f}, "[    3.14]"},
    {"[%08.2f]", {3.14159f}, "[    3.14]"},
    {"[%-8.2f]", {3.14159f}, "[3.14    ]"},
    {"[%=9.1f]", {2.5f}, "[   2.5   ]"},
    {"%f", {kNaN}, "NaN"},
    {"%+e", {kNaN}, "NaN"},
    {"% G", {-kNaN}, "NaN"},
    {"[%5g]", {kNaN}, "[  NaN]"},
    {"%f", {kInf}, "+Inf"},
    {"% e", {kInf}, "+Inf"},
    {"%g", {-kInf}, "-Inf"},
};
INSTANTIATE_TEST_SUITE_P(Floats, FormatRows, testing::ValuesIn(kFloats), FormatCaseName);

// The argument's type decides how it is shown, whatever the letter says.
const std::vector<Row> kTypeRules = {
    {"%d", {2.5f}, "2.5"},
    {"%f", {3}, "3"},
    {"%s", {7}, "7"},
    {"%c", {65}, "65"},
    {"%x", {"ab"}, "ab"},
    {"[%5s]", {"ab"}, "[   ab]"},
    {"[%=5s]", {"ab"}, "[ ab  ]"},
    {"[%05s]", {"ab"}, "[   ab]"},
    {"[%.1s]", {"abc"}, "[abc]"},
    {"[%3s]", {nullptr}, "[   ]"},
};
INSTANTIATE_TEST_SUITE_P(TypeRules, FormatRows, testing::ValuesIn(kTypeRules), FormatCaseName);

// Broken directives show their breaking character and leave the argument unused.
const std::vector<Row> kDirectives = {
    {"%%", {}, "%"},
    {"100%%", {7}, "100%"},
    {"%d%%", {50}, "50%"},
    {"%ld", {7}, "7"},
    {"%hd", {7}, "7"},
    {"%y", {7}, "y", true},
    {"%5-d", {7}, "-d", true},
    {"%l5d", {7}, "5d", true},
    {"%*d", {7}, "*d", true},
    {"%..2f", {7}, ".2f", true},
    {"%\xe9" "d", {7}, "\xe9" "d", true},
    {"abc%", {7}, "abc%"},
    {"abc%5", {7}, "abc5"},
    // A flag from a broken directive holds for the next directive in the same
    // search only.
    {"%5-d|%4d|%4d", {7, 8}, "-d|7   |   8", true},
    {"%d and %d", {5}, "5 and "},
    {"%d and %d", {}, " and %d"},
    {"%d", {1, 2}, "1"},
};
INSTANTIATE_TEST_SUITE_P(Directives, FormatRows, testing::ValuesIn(kDirectives), FormatCaseName);

TEST(WideFormat, NonAsciiUnitsAreTextAndBreakDirectives) {
  WideFormat format(base::WString(u"\u00e9 %\u0164d %d"));
  format.AddInt(1).AddInt(2);
  format.Finish();
  EXPECT_EQ(format.Text(), u"\u00e9 \u0164d 1");
  EXPECT_TRUE(format.HasBadDirective());
}

TEST(FormatBuffer, FormatsOneNumber) {
  FormatBuffer integer(0, 0);
  integer.FormatInt(-12);
  EXPECT_EQ(integer.Text(), "-12");

  FormatBuffer real(0, 0);
  real.FormatFloat(0.25f);
  EXPECT_EQ(real.Text(), "0.25");
}

}  // namespace
