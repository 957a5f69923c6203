#include <gtest/gtest.h>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using tools::PsdWriter;
using tools::PsdWriterLayer;

namespace {


// A layer of one colour over the whole canvas, its rows packed into runs.
PsdWriterLayer FilledLayer(std::int32_t width, std::int32_t height, std::uint32_t color) {
  PsdWriterLayer layer;
  layer.name = "filled";
  layer.width = width;
  layer.height = height;
  layer.fill = color;
  layer.compression = 1;
  return layer;
}

struct LargeCase {
  const char* name;
  std::int32_t width, height;
  int layers;
};

class PsdLargeDocument : public testing::TestWithParam<LargeCase> {};

TEST_P(PsdLargeDocument, Decodes) {
  const LargeCase& c = GetParam();
  PsdWriter writer(c.width, c.height);
  writer.SetCompositeCompression(1);
  for (int i = 0; i < c.layers; ++i) {
    writer.AddLayer(FilledLayer(c.width, c.height, 0xFF000000u | static_cast<std::uint32_t>(i)));
  }
  const psd_test::Loaded loaded = psd_test::LoadBytes(writer.Write());
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->LayerCount(), c.layers);
  for (int i = 0; i < c.layers; ++i) {
    const std::vector<std::uint32_t>& pixels = loaded.document->layers[static_cast<std::size_t>(i)].pixels;
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(c.width) * c.height);
    EXPECT_EQ(pixels.front(), 0xFF000000u | static_cast<std::uint32_t>(i));
    EXPECT_EQ(pixels.back(), 0xFF000000u | static_cast<std::uint32_t>(i));
  }
  EXPECT_EQ(loaded.document->composite.back(), 0xFFFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(PsdLimits, PsdLargeDocument,
                         testing::Values(LargeCase{"Canvas2048With16FullLayers", 2048, 2048, 16},
                                         LargeCase{"Canvas5000x4000", 5000, 4000, 1}),
                         [](const testing::TestParamInfo<LargeCase>& info) { return info.param.name; });

TEST(PsdLimits, DocumentBeyondTheTotalIsRefusedBeforeAnyLayerDecodes) {
  // The bottom layer is decoded first; its channels are not zlib data.
  PsdWriterLayer broken;
  broken.width = 1;
  broken.height = 1;
  broken.storedChannel = {0, 2, 0xFF, 0xFF, 0xFF, 0xFF};
  PsdWriter writer(4, 4);
  writer.AddLayer(broken);
  ASSERT_EQ(psd_test::LoadBytes(writer.Write()).result, psd::kPsdInflateFailed);
  // Nine layers of 512 MiB of planes and pixels each, with as much ZIP data
  // as could fill them: the data is never unpacked.
  constexpr std::int32_t kSide = 8192;
  PsdWriterLayer large;
  large.width = kSide;
  large.height = kSide;
  large.storedChannel.assign(2 + std::size_t{kSide} * kSide / 1000, 0);
  large.storedChannel[1] = 2;
  for (int i = 0; i < 9; ++i) {
    writer.AddLayer(large);
  }
  EXPECT_EQ(psd_test::LoadBytes(writer.Write()).result, psd::kPsdBadDimensions);
}

TEST(PsdLimits, LayersTheirDataCannotFillAreShort) {
  PsdWriterLayer huge;
  huge.width = 30000;
  huge.height = 30000;
  huge.storedChannel = {0, 0, 1, 2, 3};
  PsdWriterLayer rawOneByteShort;
  rawOneByteShort.width = 4;
  rawOneByteShort.height = 2;
  rawOneByteShort.storedChannel = {0, 0, 1, 2, 3, 4, 5, 6, 7};
  for (const PsdWriterLayer& layer : {huge, rawOneByteShort}) {
    PsdWriter writer(4, 4);
    writer.AddLayer(layer);
    EXPECT_EQ(psd_test::LoadBytes(writer.Write()).result, psd::kPsdShortData) << layer.width;
  }
}

TEST(PsdLimits, RepeatedChannelIdsDecodeOnlyTheLast) {
  PsdWriterLayer layer = FilledLayer(1024, 1024, 0xFF336699u);
  // Every repeat of red stores nothing; the last of them is the red plane.
  layer.emptyChannels.assign(60000, 0);
  PsdWriter writer(4, 4);
  writer.AddLayer(layer);
  const psd_test::Loaded loaded = psd_test::LoadBytes(writer.Write());
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = loaded.document->layers[0];
  ASSERT_EQ(entry.channels.size(), 60004u);
  EXPECT_EQ(entry.pixels.front(), 0xFF006699u);
  EXPECT_EQ(entry.pixels.back(), 0xFF006699u);
}

}  // namespace
