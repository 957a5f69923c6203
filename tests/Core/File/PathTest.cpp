#include "Core/File/Path.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  const char16_t* input;
  const char16_t* expected;
};

TEST(PathTest, NormalizeFolder) {
  const PathCase cases[] = {
      {u"a\\b", u"a/b/"},       {u"a/b///", u"a/b/"}, {u"///", u""},
      {u"", u""},               {u"/home/x", u"/home/x/"}, {u"a\\b\\", u"a/b/"},
  };
  for (const auto& c : cases) EXPECT_EQ(file::NormalizeFolder(c.input), c.expected);
}

TEST(PathTest, GetFolderKeepsTheLastSeparator) {
  const PathCase cases[] = {
      {u"/usr/bin/game", u"/usr/bin/"}, {u"kp\\data\\x.png", u"kp\\data\\"},
      {u"name", u""},                   {u"a/b\\c", u"a/b\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(file::GetFolder(c.input), c.expected);
}

}  // namespace
