#include "Core/File/UserDataFileContainer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/Stream.h"
#include "tests/Support/TempFolder.h"

namespace {

class UserDataFileContainerTest : public ::testing::Test {
 protected:
  void TearDown() override { SingletonRegistry::Shutdown(); }

  testing_support::TempFolder folder_;
  file::UserDataFileContainer* container_ = file::UserDataFileContainer::Instance();
};

TEST_F(UserDataFileContainerTest, TheRootIsCreatedAndPathsAreTakenFromIt) {
  EXPECT_EQ(container_->SetRootPath(folder_.Wide("Orvane\\Lanternfall2")), QL_OK);
  EXPECT_EQ(container_->GetRootPath(), folder_.Wide("Orvane/Lanternfall2/"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() / "Orvane/Lanternfall2"));

  folder_.WriteFile("Orvane/Lanternfall2/saves/a.txt", "abc");
  EXPECT_TRUE(container_->FileExists(u"saves/a.txt", nullptr, 0, nullptr));
  EXPECT_FALSE(container_->FileExists(u"saves", nullptr, 0, nullptr));
  EXPECT_TRUE(container_->FolderExists(u"saves"));

  std::vector<base::WString> files;
  container_->ListFiles(u"saves", false, files, true);
  EXPECT_EQ(files, std::vector<base::WString>{u"a.txt"});

  std::unique_ptr<file::FileInfo> info(container_->Open(u"saves/a.txt", nullptr, 0, nullptr));
  ASSERT_NE(info, nullptr);
  std::unique_ptr<base::Stream> stream(info->OpenStream());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 3u);
  EXPECT_EQ(std::unique_ptr<base::Stream>(container_->OpenStream(u"missing.txt")), nullptr);
}

}  // namespace
