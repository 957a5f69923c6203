#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "Core/Base/FileStream.h"
#include "Core/Base/FrameStream.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Base/StreamCreator.h"
#include "tests/Support/TempFolder.h"

namespace {

std::string Contents(base::MemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

TEST(StreamTest, MemoryReadsStopAtTheEnd) {
  base::MemoryStream stream("abcd", 4);
  stream.Seek(1, base::kSeekBegin);
  char buffer[10] = {};
  EXPECT_EQ(stream.Read(buffer, 10), 3u);
  EXPECT_EQ(std::string(buffer), "bcd");
  EXPECT_EQ(stream.GetPosition(), 4u);
  EXPECT_TRUE(stream.IsEnd());
  EXPECT_EQ(stream.Read(buffer, 10), 0u);
}

TEST(StreamTest, MemoryWritesGrowToExactlyTheirEnd) {
  base::MemoryStream grown("abcd", 4);
  grown.Seek(4, base::kSeekBegin);
  EXPECT_EQ(grown.Write("12345678", 8), 8u);
  EXPECT_EQ(Contents(grown), "abcd12345678");
  EXPECT_EQ(grown.GetPosition(), 12u);

  base::MemoryStream inside("abcd", 4);
  inside.Seek(1, base::kSeekBegin);
  EXPECT_EQ(inside.Write("XY", 2), 2u);
  EXPECT_EQ(Contents(inside), "aXYd");

  base::MemoryStream empty;
  EXPECT_EQ(empty.Write("hi", 2), 2u);
  EXPECT_EQ(Contents(empty), "hi");
}

struct SeekCase {
  std::int32_t start;
  std::int32_t offset;
  std::int32_t origin;
  std::uint32_t expected;
};

TEST(StreamTest, MemoryAndFrameSeeksClamp) {
  const SeekCase cases[] = {
      {0, -5, base::kSeekBegin, 0},   {0, 3, base::kSeekBegin, 3},     {0, 99, base::kSeekBegin, 10},
      {4, 2, base::kSeekCurrent, 6},  {4, -9, base::kSeekCurrent, 0},  {0, -2, base::kSeekEnd, 8},
      {0, 5, base::kSeekEnd, 10},     {4, 0x7FFFFFFF, base::kSeekCurrent, 10},
  };
  const std::string bytes = "0123456789abcdef";
  for (const auto& c : cases) {
    base::MemoryStream memory(bytes.data(), 10);
    base::MemoryStream source(bytes.data(), 16);
    base::FrameStream frame(&source, false, 3, 10);
    for (base::Stream* stream : std::initializer_list<base::Stream*>{&memory, &frame}) {
      stream->Seek(c.start, base::kSeekBegin);
      EXPECT_EQ(stream->Seek(c.offset, c.origin), c.expected) << c.start << " " << c.offset << " " << c.origin;
    }
  }
}

TEST(StreamTest, ReserveKeepsOrDropsAndClampsThePosition) {
  base::MemoryStream stream("abcdef", 6);
  stream.Seek(5, base::kSeekBegin);
  stream.Reserve(3, true);
  EXPECT_EQ(Contents(stream), "abc");
  EXPECT_EQ(stream.GetPosition(), 3u);
  stream.Reserve(8, false);
  EXPECT_EQ(stream.GetSize(), 8u);
}

TEST(StreamTest, FrameStreamsNeverLeaveTheirWindow) {
  std::vector<char> file(300);
  std::iota(file.begin(), file.end(), 0);
  base::MemoryStream source(file.data(), 300);
  base::FrameStream first(&source, false, 100, 50);
  base::FrameStream second(&source, false, 200, 50);

  std::vector<char> read;
  char chunk[7];
  for (std::uint32_t got; (got = first.Read(chunk, sizeof chunk)) > 0;) {
    read.insert(read.end(), chunk, chunk + got);
    second.Read(chunk, 3);  // interleaved reads of a shared source must not disturb the first window
  }
  ASSERT_EQ(read.size(), 50u);
  EXPECT_TRUE(std::equal(read.begin(), read.end(), file.begin() + 100));
  EXPECT_TRUE(first.IsEnd());
  EXPECT_EQ(first.Write("x", 1), 0u);
}

TEST(StreamTest, AFrameBeyondItsSourceReadsOnlyWhatExists) {
  base::MemoryStream source("abc", 3);
  base::FrameStream frame(&source, false, 1, 40);
  char buffer[40];
  EXPECT_EQ(frame.Read(buffer, 40), 2u);
  EXPECT_EQ(frame.Read(buffer, 40), 0u);  // the source has nothing there

  base::FrameStream unset;
  EXPECT_EQ(unset.Read(buffer, 1), 0u);
}

TEST(StreamTest, WriteFromStreamCopiesWhatRemainsOrAll) {
  base::MemoryStream source("0123456789", 10);

  source.Seek(7, base::kSeekBegin);
  base::MemoryStream rest;
  EXPECT_EQ(rest.WriteFromStream(source, 100), 3u);
  EXPECT_EQ(Contents(rest), "789");

  source.Seek(4, base::kSeekBegin);
  base::MemoryStream all;
  EXPECT_EQ(all.WriteFromStream(source, base::Stream::kWholeStream), 10u);
  EXPECT_EQ(Contents(all), "0123456789");

  base::MemoryStream nothing;
  EXPECT_EQ(nothing.WriteFromStream(source, 0), 0u);
  EXPECT_EQ(nothing.GetSize(), 0u);
}

TEST(StreamTest, WriteFromStreamReportsAShortCopy) {
  base::MemoryStream source("0123456789", 10);
  base::FrameStream readOnly;
  EXPECT_EQ(readOnly.WriteFromStream(source, base::Stream::kWholeStream), 0u);
}

TEST(StreamTest, FileStreamsThroughTheHandle) {
  testing_support::TempFolder folder;
  const base::WString path = folder.Wide("data.bin");

  {
    base::FileStream writer;
    ASSERT_EQ(writer.Open(path, 1, 0), QL_OK);
    EXPECT_EQ(writer.Write("hello world", 11), 11u);
  }

  base::FileStream reader;
  ASSERT_EQ(reader.Open(path, 0, 2), QL_OK);
  EXPECT_EQ(reader.GetSize(), 11u);
  EXPECT_EQ(reader.Seek(6, base::kSeekBegin), 6u);
  char buffer[16] = {};
  EXPECT_EQ(reader.Read(buffer, 16), 5u);
  EXPECT_EQ(std::string(buffer), "world");
  EXPECT_FALSE(reader.IsEnd());
  EXPECT_EQ(reader.Seek(-100, base::kSeekCurrent), 11u);  // refused: stays put
  EXPECT_EQ(reader.Write("x", 1), 0u);                     // opened for reading only
}

struct OpenCase {
  const char* what;
  const char* name;
  int access;
  int creation;
  QLResultEnum expected;
};

TEST(StreamTest, OpeningFollowsTheAccessAndCreationCodes) {
  testing_support::TempFolder folder;
  folder.WriteFile("present", "x");
  folder.WriteFile("folder/inner", "x");
  const OpenCase cases[] = {
      {"missing file, open existing", "absent", 0, 2, QL_FAIL},
      {"present file, open existing", "present", 0, 2, QL_OK},
      {"create new over an existing file", "present", 1, 1, QL_FAIL},
      {"create new", "fresh", 1, 1, QL_OK},
      {"unknown creation code", "present", 0, 7, QL_FAIL},
      {"a folder is not a file", "folder", 0, 2, QL_FAIL},
      {"backslashes are separators", "folder\\inner", 0, 2, QL_OK},
  };
  for (const auto& c : cases) {
    base::FileStream stream;
    EXPECT_EQ(stream.Open(folder.Wide(c.name), c.access, c.creation), c.expected) << c.what;
  }
}

TEST(StreamTest, CreatorsOpenFreshStreams) {
  testing_support::TempFolder folder;
  folder.WriteFile("pack", "headerPAYLOADtrailer");
  auto* files = new base::FileStreamCreator(folder.Wide("pack"), 0, 2);
  base::FrameStreamCreator frames(files, true, 6, 7);

  for (int i = 0; i < 2; ++i) {
    base::Stream* stream = nullptr;
    ASSERT_EQ(frames.Create(stream), QL_OK);
    std::unique_ptr<base::Stream> owned(stream);
    char buffer[16] = {};
    EXPECT_EQ(owned->Read(buffer, 16), 7u);
    EXPECT_EQ(std::string(buffer), "PAYLOAD");
  }

  base::FileStreamCreator missing(folder.Wide("absent"), 0, 2);
  base::Stream* none = nullptr;
  EXPECT_EQ(missing.Create(none), QL_FAIL);
  EXPECT_EQ(none, nullptr);
  base::FrameStreamCreator sourceless(nullptr, false, 0, 1);
  EXPECT_EQ(sourceless.Create(none), QL_FAIL);
}

}  // namespace
