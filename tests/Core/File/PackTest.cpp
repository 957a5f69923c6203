#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Core/Base/MemoryStream.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/Stream.h"
#include "Core/Base/StreamCreator.h"
#include "Core/File/Archiver.h"
#include "Core/File/BuildPack.h"
#include "Core/File/FileManager.h"
#include "tests/Support/DataRoot.h"

namespace {

using Names = std::vector<base::WString>;

std::string U32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string Utf16(const std::string& ascii) {
  std::string bytes;
  for (const char c : ascii) bytes += {c, '\0'};
  return bytes;
}

std::string Entry(const std::string& name, std::uint32_t size, std::uint32_t offset) {
  return U32(static_cast<std::uint32_t>(name.size())) + Utf16(name) + U32(size) + U32(offset) + '\0' + U32(0);
}

const std::string kHeader = U32(6) + "qlpack";

// A data root holding the folder "kp" and, once built, its pack "data.dat".
class PackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_->mounts.clear();
    root_.WriteFile("kp/b.txt", "BBB");
    root_.WriteFile("kp/a/c.txt", "cc");
  }
  void TearDown() override { files_->mounts.clear(); }

  std::string ExamplePack() const {
    return kHeader + U32(2) + Entry("a/c.txt", 2, 72) + Entry("b.txt", 3, 74) + "cc" + "BBB";
  }

  // A fresh file manager each time: it caches the archivers it made.
  file::FileManager& Mounted(const std::string& packBytes) {
    root_.WriteFile("data.dat", packBytes);
    SingletonRegistry::Shutdown();
    files_ = file::FileManager::Instance();
    files_->mounts[u"kp/"] = u"data.dat";
    return *files_;
  }

  testing_support::DataRoot root_;
  file::FileManager* files_ = file::FileManager::Instance();
};

TEST_F(PackTest, TheBuilderWritesTheExactFormat) {
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  EXPECT_EQ(root_.ReadFile("data.dat"), ExamplePack());

  std::filesystem::create_directory(root_.Path() / "empty");
  ASSERT_EQ(BuildPack(u"empty/", u"empty.dat"), QL_OK);
  EXPECT_EQ(root_.ReadFile("empty.dat"), kHeader + U32(0));
}

TEST_F(PackTest, ADirectoryReadsBackAsWritten) {
  const std::string bytes = ExamplePack();
  base::MemoryStream stream(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  file::PackDirectory directory;
  ASSERT_EQ(directory.Read(stream), QL_OK);
  ASSERT_EQ(directory.entries.size(), 2u);
  EXPECT_EQ(directory.entries.at(u"a/c.txt").offset, 72u);
  EXPECT_EQ(directory.entries.at(u"b.txt").size, 3u);
  EXPECT_EQ(directory.GetByteSize(), 72u);

  base::MemoryStream written;
  ASSERT_EQ(directory.Write(written), QL_OK);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(written.GetData()), written.GetSize()), bytes.substr(0, 72));
}

TEST_F(PackTest, AMountedPackAnswersForItsPrefix) {
  root_.WriteFile("kp/a/d.txt", "d");
  root_.WriteFile("kp/a/deep/e.txt", "e");
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  std::filesystem::remove_all(root_.Path() / "kp");  // from now on only the pack knows the files
  file::FileManager& files = Mounted(root_.ReadFile("data.dat"));

  std::unique_ptr<file::FileInfo> info(files.Open(u"kp/b.txt", nullptr, 0, nullptr));
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->IsFromArchive());
  std::unique_ptr<base::Stream> stream(info->OpenStream());
  ASSERT_NE(stream, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(stream->Read(buffer, 8), 3u);
  EXPECT_EQ(std::string(buffer), "BBB");
  EXPECT_EQ(stream->Read(buffer, 8), 0u);

  EXPECT_FALSE(files.FileExists(u"kp/B.txt", nullptr, 0, nullptr)) << "names match exactly";
  EXPECT_TRUE(files.FolderExists(u"kp/a"));
  EXPECT_FALSE(files.FolderExists(u"kp/b"));

  Names folders;
  files.ListFolders(u"kp/", folders, true);
  EXPECT_EQ(folders, Names{u"a"});
  Names shallow;
  files.ListFiles(u"kp/a", false, shallow, true);
  EXPECT_EQ(shallow, (Names{u"c.txt", u"d.txt"}));
  Names deep;
  files.ListFiles(u"kp/a", true, deep, false);
  EXPECT_EQ(deep, (Names{u"kp/a/c.txt", u"kp/a/d.txt", u"kp/a/deep/e.txt"}));

  base::WString remainder;
  std::unique_ptr<base::StreamCreator> creator(files.RouteToPack(u"kp/a/c.txt", remainder)->CreateStreamCreator(remainder));
  base::Stream* made = nullptr;
  ASSERT_EQ(creator->Create(made), QL_OK);
  EXPECT_EQ(std::unique_ptr<base::Stream>(made)->GetSize(), 2u);
}

// Files larger than what a packed stream buffers, read the way parsers and
// streamed music read them.
TEST_F(PackTest, ALargePackedFileReadsBackWholeInSmallPiecesAndSeeks) {
  std::string music(300000, '\0');
  for (std::size_t i = 0; i < music.size(); ++i) music[i] = static_cast<char>(i * 7 + i / 251);
  root_.WriteFile("kp/music.ogg", music);
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  std::filesystem::remove_all(root_.Path() / "kp");
  file::FileManager& files = Mounted(root_.ReadFile("data.dat"));
  std::unique_ptr<file::FileInfo> info(files.Open(u"kp/music.ogg", nullptr, 0, nullptr));
  ASSERT_NE(info, nullptr);
  std::unique_ptr<base::Stream> stream(info->OpenStream());
  ASSERT_NE(stream, nullptr);

  std::string read;
  char chunk[1000];
  for (std::uint32_t size = 1, got; (got = stream->Read(chunk, size)) > 0; size = size % 997 + 13)
    read.append(chunk, got);
  EXPECT_TRUE(read == music) << "read " << read.size() << " of " << music.size() << " bytes";

  stream->Seek(-5, base::kSeekEnd);
  ASSERT_EQ(stream->Read(chunk, 10), 5u);
  EXPECT_EQ(std::string(chunk, 5), music.substr(music.size() - 5));
  stream->Seek(70000, base::kSeekBegin);
  ASSERT_EQ(stream->Read(chunk, 3), 3u);
  EXPECT_EQ(std::string(chunk, 3), music.substr(70000, 3));

  base::WString remainder;
  file::Archiver* pack = files.RouteToPack(u"kp/music.ogg", remainder);
  std::unique_ptr<base::StreamCreator> creator(pack->CreateStreamCreator(remainder));
  base::Stream* made = nullptr;
  ASSERT_EQ(creator->Create(made), QL_OK);
  const std::unique_ptr<base::Stream> created(made);
  std::string whole(music.size(), '\0');
  ASSERT_EQ(created->Read(whole.data(), static_cast<std::uint32_t>(whole.size())), music.size());
  EXPECT_TRUE(whole == music);
}

struct CorruptCase {
  const char* what;
  std::string bytes;
  std::size_t entriesKept;
};

TEST_F(PackTest, ADamagedPackFailsCleanlyAndHidesTheDisk) {
  const std::string good = ExamplePack();
  const CorruptCase cases[] = {
      {"a tag off by one letter", U32(6) + "qlpacc" + good.substr(10), 0},
      {"a tag length beyond the file", U32(0xFFFFFFF0) + "qlpack", 0},
      {"no entry count", kHeader, 0},
      {"a directory cut short", good.substr(0, 50), 0},
      {"a directory cut in its second entry", kHeader + U32(2) + Entry("x", 0, 14) + Entry("yy", 0, 14).substr(0, 6), 1},
      {"a name longer than the pack", kHeader + U32(1) + U32(0x7FFFFFFF) + "ab", 0},
      {"a count beyond the entries", kHeader + U32(0xFFFFFFFF) + Entry("x", 0, 20), 1},
      {"a file beyond the end", kHeader + U32(2) + Entry("a/c.txt", 2, 72) + Entry("b.txt", 3, 900) + "ccBBB", 1},
      {"an offset that wraps in 32 bits", kHeader + U32(1) + Entry("x", 0xFFFFFFFF, 2) + "x", 0},
  };
  for (const auto& c : cases) {
    base::MemoryStream stream(c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()));
    file::PackDirectory directory;
    EXPECT_EQ(directory.Read(stream), QL_FAIL) << c.what;
    EXPECT_EQ(directory.entries.size(), c.entriesKept) << c.what;

    file::FileManager& files = Mounted(c.bytes);
    EXPECT_FALSE(files.FileExists(u"kp/b.txt", nullptr, 0, nullptr)) << c.what << ": the disk must not answer";
  }
}

TEST_F(PackTest, AFailedRebuildKeepsTheOldPack) {
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  const std::string old = root_.ReadFile("data.dat");

  EXPECT_EQ(BuildPack(u"missing", u"data.dat"), QL_FAIL);
  EXPECT_EQ(root_.ReadFile("data.dat"), old);

  root_.WriteFile("kp/new.txt", "new");
  std::filesystem::create_directory(root_.Path() / "data.dat.tmp");  // the new pack cannot be written
  EXPECT_EQ(BuildPack(u"kp", u"data.dat"), QL_FAIL);
  EXPECT_EQ(root_.ReadFile("data.dat"), old);

  std::filesystem::remove(root_.Path() / "data.dat.tmp");
  std::filesystem::remove_all(root_.Path() / "kp/a");
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK) << "a rebuild replaces the pack entirely";
  EXPECT_EQ(root_.ReadFile("data.dat"), kHeader + U32(2) + Entry("b.txt", 3, 72) + Entry("new.txt", 3, 75) + "BBBnew");
}

TEST_F(PackTest, AMountedFolderIsPackedFromTheDisk) {
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  files_->mounts[u"kp/"] = u"data.dat";
  root_.WriteFile("kp/z.txt", "z");
  ASSERT_EQ(BuildPack(u"kp/", u"data.dat"), QL_OK);
  EXPECT_NE(root_.ReadFile("data.dat").find(Utf16("z.txt")), std::string::npos);
}

}  // namespace
