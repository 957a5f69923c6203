#include "Core/Base/BufferedReadStream.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "Core/Base/FrameStream.h"
#include "Core/Base/MemoryStream.h"

namespace {

std::vector<char> Counting(std::size_t size) {
  std::vector<char> bytes(size);
  std::iota(bytes.begin(), bytes.end(), 0);
  return bytes;
}

// Windows on one buffered source, read in turns with reads smaller than,
// straddling and larger than the buffer, each see exactly their own bytes.
TEST(BufferedReadStreamTest, InterleavedWindowsReadTheirOwnBytes) {
  const std::vector<char> file = Counting(1000);
  base::MemoryStream source(file.data(), 1000);
  base::BufferedReadStream buffered(&source, false, 16);
  base::FrameStream first(&buffered, false, 10, 400);
  base::FrameStream second(&buffered, false, 500, 450);

  std::vector<char> fromFirst, fromSecond;
  const std::uint32_t sizes[] = {1, 7, 15, 16, 17, 40, 3};
  char chunk[40];
  for (int turn = 0; fromFirst.size() < 400 || fromSecond.size() < 450; ++turn) {
    const std::uint32_t size = sizes[turn % 7];
    fromFirst.insert(fromFirst.end(), chunk, chunk + first.Read(chunk, size));
    fromSecond.insert(fromSecond.end(), chunk, chunk + second.Read(chunk, sizes[(turn + 3) % 7]));
  }
  EXPECT_EQ(fromFirst, std::vector<char>(file.begin() + 10, file.begin() + 410));
  EXPECT_EQ(fromSecond, std::vector<char>(file.begin() + 500, file.begin() + 950));
}

TEST(BufferedReadStreamTest, ReadsStopAtTheSourcesEndAndSeeksNeverGoBeforeTheStart) {
  base::MemoryStream source("abcdef", 6);
  base::BufferedReadStream buffered(&source, false, 4);
  EXPECT_EQ(buffered.GetSize(), 6u);

  char buffer[8] = {};
  EXPECT_EQ(buffered.Seek(-1, base::kSeekEnd), 5u);
  EXPECT_EQ(buffered.Read(buffer, 8), 1u);
  EXPECT_EQ(buffer[0], 'f');
  EXPECT_EQ(buffered.Read(buffer, 8), 0u);

  EXPECT_EQ(buffered.Seek(-7, base::kSeekCurrent), 6u) << "refused: the position stays";
  EXPECT_EQ(buffered.Seek(2, base::kSeekBegin), 2u);
  EXPECT_EQ(buffered.Read(buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer, 3), "cde");
  EXPECT_EQ(buffered.Write("x", 1), 0u);
}

}  // namespace
