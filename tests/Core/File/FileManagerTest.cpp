#include "Core/File/FileManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "Core/Base/Stream.h"
#include "Core/File/Folders.h"
#include "Core/File/TextFile.h"
#include "tests/Support/DataRoot.h"

namespace {

// Runs a test inside its own data root, with no mounts.
class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { files_->mounts.clear(); }
  void TearDown() override { files_->mounts.clear(); }

  std::vector<base::WString> Sorted(std::vector<base::WString> names) {
    std::sort(names.begin(), names.end());
    return names;
  }

  testing_support::DataRoot root_;
  file::FileManager* files_ = file::FileManager::Instance();
};

TEST_F(FileManagerTest, AMountedPrefixIsAnsweredByItsPackOnlyWhileThePackExists) {
  root_.WriteFile("kp/levels/a.xml", "<level/>");
  root_.WriteFile("x/kp/a", "disk");
  files_->mounts[u"kp/"] = u"data.dat";

  EXPECT_TRUE(files_->FileExists(u"kp/levels/a.xml", nullptr, 0, nullptr)) << "no pack: read from disk";

  root_.WriteFile("data.dat", "");
  base::WString remainder;
  EXPECT_NE(files_->RouteToPack(u"kp/levels/a.xml", remainder), nullptr);
  EXPECT_EQ(remainder, u"levels/a.xml");
  EXPECT_FALSE(files_->FileExists(u"kp/levels/a.xml", nullptr, 0, nullptr)) << "the pack answers, not the disk";
  EXPECT_EQ(std::unique_ptr<file::FileInfo>(files_->Open(u"kp/levels/a.xml", nullptr, 0, nullptr)), nullptr);
  EXPECT_TRUE(files_->FileExists(u"x/kp/a", nullptr, 0, nullptr)) << "the prefix must begin the path";
}

TEST_F(FileManagerTest, OpenTriesTheExtensionsInOrder) {
  root_.WriteFile("menu.psd", "layered");
  root_.WriteFile("menu", "plain");
  const base::WString extensions[] = {u".psd", u""};
  int index = -1;
  std::unique_ptr<file::FileInfo> info(files_->Open(u"menu", extensions, 2, &index));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(info->GetName(), u"menu");
  EXPECT_EQ(info->GetPath(), u"menu.psd");
  EXPECT_FALSE(info->IsFromArchive());

  std::unique_ptr<base::Stream> stream(info->OpenStream());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 7u);

  EXPECT_EQ(std::unique_ptr<file::FileInfo>(files_->Open(u"Menu", nullptr, 0, nullptr)), nullptr) << "names match exactly";
  EXPECT_FALSE(files_->FileExists(u"kp", nullptr, 0, nullptr));
}

TEST_F(FileManagerTest, ListingsGiveFilesAndFolders) {
  root_.WriteFile("data/a.txt", "a");
  root_.WriteFile("data/sub/b.txt", "b");
  root_.WriteFile("data/sub/deeper/c.txt", "c");
  std::filesystem::create_directory_symlink(root_.Path() / "data", root_.Path() / "data/sub/loop");

  std::vector<base::WString> flat;
  files_->ListFiles(u"data", false, flat, true);
  EXPECT_EQ(flat, std::vector<base::WString>{u"a.txt"});

  std::vector<base::WString> deep;
  files_->ListFiles(u"data\\", true, deep, false);
  EXPECT_EQ(Sorted(deep), (std::vector<base::WString>{u"data/a.txt", u"data/sub/b.txt", u"data/sub/deeper/c.txt"}));

  std::vector<base::WString> folders;
  files_->ListFolders(u"data/sub", folders, true);
  EXPECT_EQ(Sorted(folders), (std::vector<base::WString>{u"deeper", u"loop"}));

  std::vector<base::WString> none;
  files_->ListFiles(u"absent", true, none, true);
  EXPECT_TRUE(none.empty());
}

TEST_F(FileManagerTest, CreateFoldersMakesEveryMissingParent) {
  std::filesystem::create_directory(root_.Path() / "base");
  EXPECT_EQ(file::CreateFolders(u"base\\a/b/"), QL_OK);
  EXPECT_TRUE(files_->FolderExists(u"base/a/b"));
  EXPECT_EQ(file::CreateFolders(u"base/a/b"), QL_OK) << "an existing folder is fine";

  root_.WriteFile("blocked", "a file");
  EXPECT_EQ(file::CreateFolders(u"blocked/inner"), QL_FAIL);
}

struct TextCase {
  const char* what;
  std::string bytes;
  std::string expected;
  bool bom;
};

TEST_F(FileManagerTest, ReadTextFile) {
  const TextCase cases[] = {
      {"only a byte-order mark", "\xEF\xBB\xBF", "", true},
      {"a mark before text", "\xEF\xBB\xBFkey;value", "key;value", true},
      {"two bytes", "ab", "ab", false},
      {"a zero byte cuts the text", std::string("abc\0def", 7), "abc", false},
      {"no mark", "plain text", "plain text", false},
      {"empty", "", "", false},
  };
  for (const auto& c : cases) {
    root_.WriteFile("text.csv", c.bytes);
    bool bom = !c.bom;
    EXPECT_EQ(file::ReadTextFile(u"text.csv", &bom), c.expected) << c.what;
    EXPECT_EQ(bom, c.bom) << c.what;
  }
  bool bom = true;
  EXPECT_EQ(file::ReadTextFile(u"missing.csv", &bom), "");
  EXPECT_FALSE(bom);
}

TEST_F(FileManagerTest, ReadFileToStringKeepsTheMark) {
  root_.WriteFile("raw", std::string("\xEF\xBB\xBFx\0y", 6));
  EXPECT_EQ(ReadFileToString(u"raw"), "\xEF\xBB\xBFx");
  EXPECT_EQ(ReadFileToString(u"missing"), "");
}

}  // namespace
