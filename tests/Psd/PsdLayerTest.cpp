#include <gtest/gtest.h>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using tools::PsdWriter;
using tools::PsdWriterLayer;
using tools::PutBytes;
using tools::PutU16;
using tools::PutU32;
using tools::PutU8;

namespace {

using Bytes = std::vector<std::uint8_t>;

PsdWriterLayer Layer(const std::string& name, std::int32_t width = 2, std::int32_t height = 1) {
  PsdWriterLayer layer;
  layer.name = name;
  layer.top = 1;
  layer.left = 3;
  layer.width = width;
  layer.height = height;
  layer.pixels.assign(static_cast<std::size_t>(width) * height, 0x80FF0000u);
  return layer;
}

psd_test::Loaded LoadLayers(const std::vector<PsdWriterLayer>& layers) {
  PsdWriter writer(4, 4);
  for (const PsdWriterLayer& layer : layers) {
    writer.AddLayer(layer);
  }
  return psd_test::LoadBytes(writer.Write());
}

TEST(PsdLayer, RecordsKeepRectangleOpacityAndPixels) {
  PsdWriterLayer layer = Layer("one");
  layer.opacity = 200;
  layer.pixels = {0x80FF0000u, 0xFF0000FFu};
  for (std::uint16_t compression : {0, 1}) {
    layer.compression = compression;
    const psd_test::Loaded loaded = LoadLayers({layer});
    ASSERT_EQ(loaded.result, psd::kPsdOk);
    ASSERT_EQ(loaded.document->LayerCount(), 1);
    const psd::PsdLayerEntry& entry = loaded.document->layers[0];
    EXPECT_EQ(entry.kind, psd::kPsdPixelLayer);
    EXPECT_EQ(entry.top, 1);
    EXPECT_EQ(entry.left, 3);
    EXPECT_EQ(entry.width, 2);
    EXPECT_EQ(entry.height, 1);
    EXPECT_EQ(entry.opacity, 200);
    EXPECT_EQ(entry.visible, 1);
    EXPECT_EQ(entry.pixels, layer.pixels) << "compression " << compression;
  }
}

TEST(PsdLayer, NamesOfEveryPaddingAreRead) {
  // The second layer proves the first one's name ended where it should.
  for (std::size_t length : {0u, 3u, 4u, 255u}) {
    const std::string name(length, 'n');
    const psd_test::Loaded loaded = LoadLayers({Layer(name), Layer("after")});
    ASSERT_EQ(loaded.result, psd::kPsdOk) << length;
    EXPECT_EQ(loaded.document->layers[0].name, name);
    EXPECT_EQ(loaded.document->layers[1].name, "after");
  }
}

TEST(PsdLayer, PascalNamesAreMacRomanAndUnicodeNamesWin) {
  // Mac Roman: 0x8E e acute, 0x8A a diaeresis, 0xA5 bullet, 0xDB euro, 0xF0 the Apple logo.
  PsdWriterLayer macRoman = Layer("caf\x8E \x8A\xA5\xDB\xF0");
  PsdWriterLayer unicode = Layer("ascii");
  unicode.unicodeName = u"\u00C9t\u00E9 \U0001F600";
  PsdWriterLayer broken = Layer("x");
  broken.unicodeName = std::u16string(1, char16_t{0xD800}) + u"a";
  const psd_test::Loaded loaded = LoadLayers({macRoman, unicode, broken});
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->layers[0].name, "caf\u00E9 \u00E4\u2022\u20AC\uF8FF");
  EXPECT_EQ(loaded.document->layers[1].name, "\xC3\x89t\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_EQ(loaded.document->layers[1].unicodeName, unicode.unicodeName);
  EXPECT_EQ(loaded.document->layers[2].name, "\xEF\xBF\xBD" "a");
}

Bytes MaskData(std::size_t size) {
  Bytes mask;
  if (size == 0) {
    return mask;
  }
  PutU32(mask, 0);
  PutU32(mask, 0);
  PutU32(mask, 2);  // bottom
  PutU32(mask, 3);  // right
  PutU8(mask, 255);
  PutU8(mask, 0b010);  // disabled
  if (size == 20) {
    PutU16(mask, 0);
    return mask;
  }
  PutU8(mask, 0b101);  // real flags: relative, inverted
  PutU8(mask, 0);      // real background
  PutU32(mask, 0);
  PutU32(mask, 0);
  PutU32(mask, 1);
  PutU32(mask, 2);
  mask.resize(size, 0xEE);  // mask parameters beyond the real rectangle
  return mask;
}

struct MaskCase {
  std::size_t size;
  std::uint8_t defaultColor;
  std::uint8_t disabled;
  std::uint8_t inverted;
  std::int32_t width, height;
};

TEST(PsdLayer, MaskDataOfEverySizeEndsWhereItSays) {
  const MaskCase cases[] = {
      {0, 255, 1, 0, 0, 0},
      {20, 255, 1, 0, 3, 2},
      {36, 0, 0, 1, 2, 1},
      {48, 0, 0, 1, 2, 1},
  };
  for (const MaskCase& c : cases) {
    PsdWriterLayer layer = Layer("masked");
    layer.maskData = MaskData(c.size);
    const psd_test::Loaded loaded = LoadLayers({layer});
    ASSERT_EQ(loaded.result, psd::kPsdOk) << c.size;
    const psd::PsdLayerEntry& entry = loaded.document->layers[0];
    EXPECT_EQ(entry.maskDefaultColor, c.defaultColor) << c.size;
    EXPECT_EQ(entry.maskDisabled, c.disabled) << c.size;
    EXPECT_EQ(entry.maskInverted, c.inverted) << c.size;
    EXPECT_EQ(entry.maskWidth, c.width) << c.size;
    EXPECT_EQ(entry.maskHeight, c.height) << c.size;
    EXPECT_EQ(entry.name, "masked") << c.size;
  }
}

TEST(PsdLayer, BlendingRangesMayBeEmpty) {
  for (std::uint32_t length : {0u, 8u, 40u}) {
    PsdWriterLayer layer = Layer("ranged");
    layer.blendingRangesLength = length;
    const psd_test::Loaded loaded = LoadLayers({layer});
    ASSERT_EQ(loaded.result, psd::kPsdOk) << length;
    const psd::PsdLayerEntry& entry = loaded.document->layers[0];
    EXPECT_EQ(entry.sourceBlack.size(), length >= 8 ? (length - 8) / 8 : 0) << length;
    EXPECT_EQ(entry.blendSourceWhite, length >= 8 ? 0xFFFF : 0) << length;
    EXPECT_EQ(entry.name, "ranged") << length;
  }
}

TEST(PsdLayer, GroupsEncloseTheLayersBetweenFolderAndDivider) {
  PsdWriter writer(4, 4);
  writer.AddLayer(Layer("outside"));
  writer.BeginGroup();
  writer.AddLayer(Layer("inside"));
  writer.EndGroup("folder");
  const psd_test::Loaded loaded = psd_test::LoadBytes(writer.Write());
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const std::vector<psd::PsdLayerEntry>& layers = loaded.document->layers;
  ASSERT_EQ(layers.size(), 4u);
  EXPECT_EQ(layers[0].enclosingGroup, -1);
  EXPECT_EQ(layers[1].kind, psd::kPsdGroupEnd);
  EXPECT_EQ(layers[2].enclosingGroup, 3);
  EXPECT_EQ(layers[3].kind, psd::kPsdGroupStart);
  EXPECT_EQ(layers[3].name, "folder");
  EXPECT_TRUE(layers[3].pixels.empty());
}

Bytes Block(const char* key, const Bytes& data) {
  Bytes block;
  PutBytes(block, "8BIM");
  PutBytes(block, key);
  PutU32(block, static_cast<std::uint32_t>(data.size()));
  block.insert(block.end(), data.begin(), data.end());
  return block;
}

TEST(PsdLayer, DividerBlendModeOnlyInTheTwelveByteForm) {
  PsdWriterLayer twelve = Layer("twelve");
  twelve.extraBlocks = Block("lsct", {0, 0, 0, 1, '8', 'B', 'I', 'M', 'm', 'u', 'l', ' '});
  PsdWriterLayer sixteen = Layer("sixteen");
  sixteen.extraBlocks = Block("lsct", {0, 0, 0, 2, '8', 'B', 'I', 'M', 'm', 'u', 'l', ' ', 0, 0, 0, 0});
  PsdWriterLayer bad = Layer("bad");
  bad.extraBlocks = Block("lsct", {0, 0, 0, 1, 'x', 'B', 'I', 'M', 'm', 'u', 'l', ' '});
  const psd_test::Loaded loaded = LoadLayers({twelve, sixteen});
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->layers[0].kind, psd::kPsdGroupStart);
  EXPECT_EQ(loaded.document->layers[0].groupBlendMode, 3);
  EXPECT_EQ(loaded.document->layers[1].kind, psd::kPsdGroupStart);
  EXPECT_EQ(loaded.document->layers[1].groupBlendMode, 23);
  EXPECT_EQ(LoadLayers({bad}).result, psd::kPsdBadDividerSignature);
}

TEST(PsdLayer, SimpleBlocksSetTheirFields) {
  PsdWriterLayer layer = Layer("blocks");
  const std::vector<Bytes> blocks = {
      Block("iOpa", {77, 0, 0, 0}),       Block("lyid", {0, 0, 1, 2}),
      Block("lspf", {0, 0, 0, 5}),        Block("knko", {1, 0, 0, 0}),
      Block("brst", {0, 0, 0, 1, 0, 0, 0, 9}),
      Block("levl", {0, 2, 0, 0}),  // read by the adjustment readers later: passed over
      Block("fxrp", {0x40, 0x24, 0, 0, 0, 0, 0, 0, 0x7F, 0xF8, 0, 0, 0, 0, 0, 0}),  // 10.0 and NaN
  };
  for (const Bytes& block : blocks) {
    layer.extraBlocks.insert(layer.extraBlocks.end(), block.begin(), block.end());
  }
  const psd_test::Loaded loaded = LoadLayers({layer});
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = loaded.document->layers[0];
  EXPECT_EQ(entry.fillOpacity, 77);
  EXPECT_EQ(entry.layerId, 0x102u);
  EXPECT_EQ(entry.transparencyLocked, 1);
  EXPECT_EQ(entry.positionLocked, 1);
  EXPECT_EQ(entry.compositeLocked, 0);
  EXPECT_EQ(entry.knockout, 1);
  EXPECT_EQ(entry.channels[2].blendingRestricted, 1);  // id 1
  EXPECT_EQ(entry.channels[0].blendingRestricted, 0);
  EXPECT_EQ(entry.referencePointX, 10);
  EXPECT_EQ(entry.referencePointY, 0);
}

TEST(PsdLayer, BlockWithoutSignatureFails) {
  PsdWriterLayer layer = Layer("bad block");
  layer.extraBlocks = Block("lyid", {0, 0, 0, 1});
  layer.extraBlocks[0] = 'X';
  EXPECT_EQ(LoadLayers({layer}).result, psd::kPsdBadBlockSignature);
}

TEST(PsdLayer, EmptyLayersHaveNoPixels) {
  PsdWriterLayer empty = Layer("empty", 0, 0);
  const psd_test::Loaded loaded = LoadLayers({empty, Layer("after")});
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_TRUE(loaded.document->layers[0].pixels.empty());
  EXPECT_EQ(loaded.document->layers[1].pixels.size(), 2u);
}

// Replaces the writer's layer count, the 2 bytes after the layer information
// length.
Bytes WithLayerCount(Bytes bytes, std::uint16_t count) {
  const std::size_t offset = 26 + 4 + 4 + 4 + 4;
  bytes[offset] = static_cast<std::uint8_t>(count >> 8);
  bytes[offset + 1] = static_cast<std::uint8_t>(count);
  return bytes;
}

TEST(PsdLayer, NegativeLayerCountsCountTheirAbsoluteValue) {
  PsdWriter writer(4, 4);
  for (const char* name : {"a", "b", "c"}) {
    writer.AddLayer(Layer(name));
  }
  const psd_test::Loaded loaded = psd_test::LoadBytes(WithLayerCount(writer.Write(), 0xFFFD));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->LayerCount(), 3);
  // -32768 asks for more records than the bytes can hold.
  EXPECT_EQ(psd_test::LoadBytes(WithLayerCount(writer.Write(), 0x8000)).result, psd::kPsdShortData);
}

TEST(PsdLayer, CountOfMinus32768GivesThatManyLayers) {
  Bytes records;
  PutU16(records, 0x8000);
  for (int i = 0; i < 32768; ++i) {
    records.resize(records.size() + 16 + 2, 0);  // empty rectangle, no channels
    PutBytes(records, "8BIMnorm");
    PutU32(records, 0xFF000000);
    PutU32(records, 0);  // no extra data
  }
  Bytes bytes;
  PutBytes(bytes, "8BPS");
  PutU16(bytes, 1);
  bytes.resize(bytes.size() + 6, 0);
  PutU16(bytes, 1);
  PutU32(bytes, 1);
  PutU32(bytes, 1);
  PutU16(bytes, 8);
  PutU16(bytes, 1);
  PutU32(bytes, 0);
  PutU32(bytes, 0);
  PutU32(bytes, static_cast<std::uint32_t>(records.size() + 8));
  PutU32(bytes, static_cast<std::uint32_t>(records.size()));
  bytes.insert(bytes.end(), records.begin(), records.end());
  PutU32(bytes, 0);
  PutU16(bytes, 0);
  PutU8(bytes, 0);
  const psd_test::Loaded loaded = psd_test::LoadBytes(bytes);
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->LayerCount(), 32768);
}

TEST(PsdLayer, DocumentWithoutLayersGetsTheCompositeAsItsLayer) {
  const PsdWriter writer(3, 2);
  const psd_test::Loaded loaded = psd_test::LoadBytes(writer.Write());
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->LayerCount(), 1);
  const psd::PsdLayerEntry& entry = loaded.document->layers[0];
  EXPECT_EQ(entry.width, 3);
  EXPECT_EQ(entry.height, 2);
  EXPECT_EQ(entry.pixels, std::vector<std::uint32_t>(6, 0xFFFFFFFFu));
  EXPECT_EQ(entry.pixels, loaded.document->composite);
  ASSERT_EQ(entry.channels.size(), 3u);
  EXPECT_EQ(entry.channels[2].id, 2);
}

TEST(PsdLayer, ShortChannelDataFails) {
  Bytes bytes;
  {
    PsdWriter writer(4, 4);
    writer.AddLayer(Layer("short"));
    bytes = writer.Write();
  }
  // Cut inside the channel data of the only layer.
  const std::size_t recordsEnd = bytes.size() - 2 - 4 * 4 * 3 - 4;
  bytes.resize(recordsEnd - 3);
  EXPECT_EQ(psd_test::LoadBytes(bytes).result, psd::kPsdShortData);
}

}  // namespace
