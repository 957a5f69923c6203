#include "Core/File/Path.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct PathCase {
  const char* function;
  base::WString (*apply)(const base::WString&);
  const char16_t* input;
  const char16_t* expected;
};

TEST(PathTest, PathFunctions) {
  const PathCase cases[] = {
      {"NormalizeFolder", file::NormalizeFolder, u"a\\b", u"a/b/"},
      {"NormalizeFolder", file::NormalizeFolder, u"a/b///", u"a/b/"},
      {"NormalizeFolder", file::NormalizeFolder, u"///", u""},
      {"NormalizeFolder", file::NormalizeFolder, u"/home/x", u"/home/x/"},
      {"ToForwardSlashes", file::ToForwardSlashes, u"a\\b\\c", u"a/b/c"},
      {"GetFolder", file::GetFolder, u"/usr/bin/game", u"/usr/bin/"},
      {"GetFolder", file::GetFolder, u"kp\\data\\x.png", u"kp\\data\\"},
      {"GetFolder", file::GetFolder, u"name", u""},
      {"GetFolderWithoutDrive", file::GetFolderWithoutDrive, u"C:\\games\\x.exe", u"\\games\\"},
      {"GetFolderWithoutDrive", file::GetFolderWithoutDrive, u"C:x.exe", u""},
      {"GetFolderWithoutDrive", file::GetFolderWithoutDrive, u"/srv/a:b/c", u"/srv/a:b/"},
      {"GetFolderWithoutDrive", file::GetFolderWithoutDrive, u"12:00/log", u"12:00/"},
      {"GetFileName", file::GetFileName, u"x/y.png", u"y.png"},
      {"GetFileName", file::GetFileName, u"plain", u"plain"},
      {"GetExtension", file::GetExtension, u"x/y.png", u".png"},
      {"GetExtension", file::GetExtension, u"x.dir/file", u""},
      {"GetExtension", file::GetExtension, u"a.tar.gz", u".gz"},
      {"GetNameWithoutExtension", file::GetNameWithoutExtension, u"x/y.png", u"y"},
      {"GetNameWithoutExtension", file::GetNameWithoutExtension, u"x.dir/file", u"file"},
      {"StripTrailingSlashes", file::StripTrailingSlashes, u"a/b/\\/", u"a/b"},
      {"StripTrailingSlashes", file::StripTrailingSlashes, u"//", u""},
      {"StripTrailingSlashes", file::StripTrailingSlashes, u"a/b", u"a/b"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.apply(c.input), c.expected) << c.function;
}

}  // namespace
