#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/FileStream.h"
#include "Core/File/Archiver.h"
#include "Core/File/PackDirectory.h"
#include "tests/Support/TempFolder.h"

namespace {

constexpr std::uint32_t kFileBytes = 256;
constexpr std::uint32_t kLargeFileBytes = 4u << 20;

// A pack of count small files named as the game's data is, followed by one
// large file, written once into a temporary folder.
class Pack {
 public:
  explicit Pack(int count) {
    file::PackDirectory directory;
    for (int i = 0; i < count; ++i) {
      const std::string name = "levels_normal/" + std::to_string(i / 100) + "/level_" + std::to_string(i) + ".xml";
      directory.entries[base::WString(name.begin(), name.end())].size = kFileBytes;
    }
    directory.entries[kLarge].size = kLargeFileBytes;
    std::uint32_t offset = static_cast<std::uint32_t>(directory.GetByteSize());
    for (auto& [name, entry] : directory.entries) {
      entry.offset = offset;
      offset += entry.size;
    }
    base::FileStream stream;
    stream.Open(Path(), 1, 0);
    directory.Write(stream);
    const std::vector<char> bytes(offset - directory.GetByteSize(), 'x');
    stream.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  }

  base::WString Path() const { return folder_.Wide("data.dat"); }
  std::string NarrowPath() const { return (folder_.Path() / "data.dat").string(); }
  static inline const base::WString kLarge = u"music/theme.ogg";

 private:
  testing_support::TempFolder folder_;
};

void BM_MountPack(benchmark::State& state) {
  const Pack pack(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    file::Archiver archiver(u"kp/", pack.Path(), nullptr);
    benchmark::DoNotOptimize(archiver.GetDirectory().entries.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MountPack)->Arg(2000)->Unit(benchmark::kMicrosecond);

// Small reads such as a parser or a streamed decoder makes.
void BM_SmallReadsFromPackedFile(benchmark::State& state) {
  const Pack pack(1);
  file::Archiver archiver(u"kp/", pack.Path(), nullptr);
  const auto chunk = static_cast<std::uint32_t>(state.range(0));
  std::vector<char> buffer(chunk);
  for (auto _ : state) {
    const std::unique_ptr<base::Stream> stream(archiver.OpenStream(Pack::kLarge));
    while (stream->Read(buffer.data(), chunk) == chunk) benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kLargeFileBytes);
}
BENCHMARK(BM_SmallReadsFromPackedFile)->Arg(16)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

// The same reads through the C library's buffered file, for comparison.
void BM_SmallReadsWithFread(benchmark::State& state) {
  const Pack pack(1);
  const auto chunk = static_cast<std::size_t>(state.range(0));
  std::vector<char> buffer(chunk);
  for (auto _ : state) {
    std::FILE* file = std::fopen(pack.NarrowPath().c_str(), "rb");
    while (std::fread(buffer.data(), 1, chunk, file) == chunk) benchmark::ClobberMemory();
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * kLargeFileBytes);
}
BENCHMARK(BM_SmallReadsWithFread)->Arg(16)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
