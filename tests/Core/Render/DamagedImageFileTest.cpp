#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/Render/ImageData.h"
#include "Core/Render/ImageLoader.h"
#include "tests/Support/RecordingLogOutput.h"

#if defined(__SANITIZE_ADDRESS__)
#define LF_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LF_TEST_UNDER_ASAN 1
#endif
#endif

namespace {

constexpr int kDeviceSide = 16384;

std::vector<std::uint8_t> ReadFixture(const char* name) {
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "Fixtures" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<render::ImageData> Load(const std::vector<std::uint8_t>& file, const base::WString& extension) {
  base::MemoryStream stream(file.data(), static_cast<std::uint32_t>(file.size()));
  return render::ImageLoader::Instance()->CreateImageData(stream, extension, kDeviceSide);
}

// The address space the test may still take; far below what the headers claim.
constexpr rlim_t kHeadroom = rlim_t{256} << 20;

void LimitAddressSpace() {
#ifndef LF_TEST_UNDER_ASAN
  // Pages in use now, from the kernel's own count.
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  const rlim_t limit = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + kHeadroom;
  const rlimit bounds{limit, limit};
  setrlimit(RLIMIT_AS, &bounds);
#endif
}

struct HugeCase {
  const char* name;
  const char* file;
  const char16_t* extension;
  const char16_t* reason;
};

class HugeImageDeathTest : public ::testing::TestWithParam<HugeCase> {};

// A header of a few bytes that claims gigabytes is refused from the header,
// with a log line that says so, before any pixel memory is taken.
TEST_P(HugeImageDeathTest, IsRefusedFromItsHeaderAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::vector<std::uint8_t> file = ReadFixture(GetParam().file);
  ASSERT_FALSE(file.empty());
  EXPECT_EXIT(
      {
        LimitAddressSpace();
        std::vector<base::WString> log;
        base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log));
        const bool refused = Load(file, GetParam().extension) == nullptr;
        bool said = false;
        for (const base::WString& line : log) said = said || line.find(GetParam().reason) != base::WString::npos;
        std::_Exit(refused && said ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, HugeImageDeathTest,
    ::testing::Values(HugeCase{"DdsWithEveryLevelOf16384Square", "huge-mipmapped.dds", u".dds",
                               u"pixel data shorter than the header says"},
                      HugeCase{"TgaOf14406x24889", "huge.tga", u".tga", u"claims 14406 x 24889 pixels"}),
    [](const ::testing::TestParamInfo<HugeCase>& info) { return std::string(info.param.name); });

// A PNG whose compressed rows break half-way must leave nothing behind,
// however often it is tried.
TEST(DamagedPngTest, CostsNoMemoryWhenTriedAgainAndAgain) {
#ifdef LF_TEST_UNDER_ASAN
  GTEST_SKIP() << "the sanitizer's allocator keeps freed memory aside; its leak check covers this";
#else
  const std::vector<std::uint8_t> file = ReadFixture("damaged.png");
  ASSERT_FALSE(file.empty());
  // The first tries set up the decoder's lasting state.
  for (int i = 0; i < 10; ++i) ASSERT_EQ(Load(file, u".png"), nullptr);
  const std::size_t before = mallinfo2().uordblks;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Load(file, u".png"), nullptr);
  const std::size_t after = mallinfo2().uordblks;
  // A byte per try is noise of the allocator; a leak of one pointer per row
  // would be 4 KiB per try.
  EXPECT_LT(after, before + 1000) << "grew by " << static_cast<long long>(after) - static_cast<long long>(before) << " bytes";
#endif
  SingletonRegistry::Shutdown();
}

}  // namespace
