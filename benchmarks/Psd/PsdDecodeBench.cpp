#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Psd/PsdDocument.h"
#include "tools/art/PsdWriter/PsdWriter.h"
#include "tests/Support/TempFolder.h"

namespace {

constexpr std::int32_t kSide = 4096;
constexpr int kLayerCount = 8;

// Artwork-like content: a transparent margin, soft gradients that pack into
// runs, and a noisy band that does not.
std::vector<std::uint32_t> LayerPixels(int layer) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kSide) * kSide, 0);
  const std::int32_t margin = 64 * (layer + 1);
  std::uint32_t noise = 0x9E3779B9u * static_cast<std::uint32_t>(layer + 1);
  for (std::int32_t y = margin; y < kSide - margin; ++y) {
    for (std::int32_t x = margin; x < kSide - margin; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const std::uint32_t red = static_cast<std::uint32_t>((x >> 4) + layer * 16) & 0xFF;
      const std::uint32_t green = static_cast<std::uint32_t>(y >> 4) & 0xFF;
      const std::uint32_t blue = (y / 256) % 4 == 0 ? noise >> 24 : static_cast<std::uint32_t>((x + y) >> 5) & 0xFF;
      pixels[static_cast<std::size_t>(y) * kSide + x] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
  }
  return pixels;
}

std::vector<std::uint8_t> Document(std::uint16_t compression) {
  tools::PsdWriter writer(kSide, kSide);
  writer.SetCompositeCompression(compression);
  for (int i = 0; i < kLayerCount; ++i) {
    tools::PsdWriterLayer layer;
    layer.name = "layer " + std::to_string(i);
    layer.width = kSide;
    layer.height = kSide;
    layer.compression = compression;
    layer.pixels = LayerPixels(i);
    writer.AddLayer(std::move(layer));
  }
  return writer.Write();
}

// The documents are written once, to memory and to a file, and shared by
// every run.
struct Sample {
  explicit Sample(std::uint16_t compression, const char* name) : bytes(Document(compression)) {
    folder.WriteFile(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    path = (folder.Path() / name).string();
  }
  std::vector<std::uint8_t> bytes;
  testing_support::TempFolder folder;
  std::string path;
};

const Sample& SampleOf(std::int64_t compression) {
  static const Sample packBits(1, "packbits.psd");
  static const Sample zip(2, "zip.psd");
  return compression == 1 ? packBits : zip;
}

void Finish(benchmark::State& state, int result, psd::PsdDocument* document) {
  if (result != 0) {
    state.SkipWithError("the document does not load");
  }
  psd::FreePsdDocument(document);
}

void BM_LoadFile(benchmark::State& state) {
  const Sample& sample = SampleOf(state.range(0));
  for (auto _ : state) {
    psd::PsdDocument* document = nullptr;
    Finish(state, psd::LoadPsdDocument(&document, sample.path.c_str()), document);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample.bytes.size()));
}

void BM_LoadMemory(benchmark::State& state) {
  const Sample& sample = SampleOf(state.range(0));
  for (auto _ : state) {
    psd::PsdDocument* document = nullptr;
    Finish(state, psd::LoadPsdDocumentFromMemory(&document, sample.bytes.data(), sample.bytes.size()), document);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample.bytes.size()));
}

// Argument: 1 PackBits, 2 ZIP, for the layers and the composite alike.
BENCHMARK(BM_LoadFile)->ArgName("compression")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMemory)->ArgName("compression")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
