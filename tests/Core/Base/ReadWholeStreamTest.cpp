#include "Core/Base/ReadWholeStream.h"

#include <gtest/gtest.h>

#include <string>

#include "Core/Base/FrameStream.h"
#include "Core/Base/Log.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Base/SingletonRegistry.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

class ReadWholeStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    log_.clear();
  }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  bool Logged(const std::u16string& text) const {
    for (const auto& line : log_) {
      if (line.find(text) != std::u16string::npos) return true;
    }
    return false;
  }

  std::vector<base::WString> log_;
};

TEST_F(ReadWholeStreamTest, AStreamOfExactlyTheCapIsReadFromItsStart) {
  base::MemoryStream stream("abcdef", 6);
  stream.Seek(4, base::kSeekBegin);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(base::ReadWholeStream(stream, 6, u"Sound 'a'", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcdef");
  EXPECT_TRUE(log_.empty());

  base::MemoryStream empty;
  EXPECT_TRUE(base::ReadWholeStream(empty, 0, u"Sound 'b'", bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(ReadWholeStreamTest, AStreamLongerThanTheCapIsRefusedAndLogged) {
  base::MemoryStream stream("abcdef", 6);
  std::vector<std::uint8_t> bytes{1, 2};
  EXPECT_FALSE(base::ReadWholeStream(stream, 5, u"Sound 'a'", bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_TRUE(Logged(u"Sound 'a' is too large: 6 bytes, at most 5"));
}

TEST_F(ReadWholeStreamTest, AStreamShorterThanItsSizeIsRefusedAndLogged) {
  base::MemoryStream source("abc", 3);
  base::FrameStream window(&source, false, 1, 10);
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(base::ReadWholeStream(window, 100, u"Font 'f'", bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_TRUE(Logged(u"Font 'f' cannot be read whole"));
}

}  // namespace
