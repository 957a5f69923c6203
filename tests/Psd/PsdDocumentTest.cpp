#include <gtest/gtest.h>

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"
#include "tests/Support/TempFolder.h"

using tools::PutBytes;
using tools::PutU16;
using tools::PutU32;
using tools::PutU8;

namespace {

struct HeaderFields {
  const char* signature = "8BPS";
  std::uint32_t version = 1;
  std::uint32_t channels = 3;
  std::uint32_t rows = 2;
  std::uint32_t columns = 2;
  std::uint32_t depth = 8;
  std::uint32_t mode = 3;
};

std::vector<std::uint8_t> Header(const HeaderFields& fields) {
  std::vector<std::uint8_t> bytes;
  PutBytes(bytes, fields.signature);
  PutU16(bytes, fields.version);
  bytes.resize(bytes.size() + 6, 0);
  PutU16(bytes, fields.channels);
  PutU32(bytes, fields.rows);
  PutU32(bytes, fields.columns);
  PutU16(bytes, fields.depth);
  PutU16(bytes, fields.mode);
  return bytes;
}

// A whole document after the header: the given colour data, resources and
// layer and mask section, then a raw composite of the given planes or zeros.
std::vector<std::uint8_t> Document(const HeaderFields& fields, const std::vector<std::uint8_t>& colorData,
                                   const std::vector<std::uint8_t>& resources,
                                   const std::vector<std::uint8_t>& layerSection = {},
                                   const std::vector<std::uint8_t>& planes = {}) {
  std::vector<std::uint8_t> bytes = Header(fields);
  PutU32(bytes, static_cast<std::uint32_t>(colorData.size()));
  bytes.insert(bytes.end(), colorData.begin(), colorData.end());
  PutU32(bytes, static_cast<std::uint32_t>(resources.size()));
  bytes.insert(bytes.end(), resources.begin(), resources.end());
  PutU32(bytes, static_cast<std::uint32_t>(layerSection.size()));
  bytes.insert(bytes.end(), layerSection.begin(), layerSection.end());
  PutU16(bytes, 0);
  if (!planes.empty()) {
    bytes.insert(bytes.end(), planes.begin(), planes.end());
    return bytes;
  }
  // Documents refused before their image need no image data.
  const std::uint64_t imageSize =
      std::uint64_t{fields.channels} * fields.rows * fields.columns * (fields.depth == 16 ? 2 : 1);
  bytes.resize(bytes.size() + std::min<std::uint64_t>(imageSize, 1024), 0);
  return bytes;
}

std::vector<std::uint8_t> Resource(std::uint16_t id, const std::string& name, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> bytes;
  PutBytes(bytes, "8BIM");
  PutU16(bytes, id);
  PutU8(bytes, static_cast<std::uint32_t>(name.size()));
  PutBytes(bytes, name);
  if (name.size() % 2 == 0) {
    PutU8(bytes, 0);
  }
  PutU32(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  if (data.size() % 2 != 0) {
    PutU8(bytes, 0);
  }
  return bytes;
}

struct HeaderCase {
  const char* what;
  HeaderFields fields;
  std::size_t keep;  // bytes of the document kept; 0 keeps all
  int expected;
};

TEST(PsdHeader, RefusesBadHeadersWithTheirCodes) {
  const HeaderCase cases[] = {
      {"valid", {}, 0, psd::kPsdOk},
      {"header of 25 bytes", {}, 25, psd::kPsdShortData},
      {"signature", {.signature = "8BPX"}, 0, psd::kPsdBadSignature},
      {"version 2", {.version = 2}, 0, psd::kPsdBadVersion},
      {"depth 32", {.depth = 32}, 0, psd::kPsdBadDepth},
      {"depth 0", {.depth = 0}, 0, psd::kPsdBadDepth},
      {"mode 5", {.mode = 5}, 0, psd::kPsdBadColorMode},
      {"mode 6", {.mode = 6}, 0, psd::kPsdBadColorMode},
      {"mode 10", {.mode = 10}, 0, psd::kPsdBadColorMode},
      {"no channels", {.channels = 0}, 0, psd::kPsdBadDimensions},
      {"57 channels", {.channels = 57}, 0, psd::kPsdBadDimensions},
      {"no rows", {.rows = 0}, 0, psd::kPsdBadDimensions},
      {"30001 columns", {.columns = 30001}, 0, psd::kPsdBadDimensions},
      {"negative rows", {.rows = 0xFFFFFFFF}, 0, psd::kPsdBadDimensions},
      // The largest headers pass; what they claim must then be in the file.
      {"30000 x 30000 without its image", {.rows = 30000, .columns = 30000}, 0, psd::kPsdShortData},
      {"56 planes without their image", {.channels = 56, .rows = 4096, .columns = 4096}, 0, psd::kPsdShortData},
  };
  for (const HeaderCase& c : cases) {
    std::vector<std::uint8_t> bytes = Document(c.fields, {}, {});
    if (c.keep > 0) {
      bytes.resize(c.keep);
    }
    const psd_test::Loaded loaded = psd_test::LoadBytes(bytes);
    EXPECT_EQ(loaded.result, c.expected) << c.what;
    EXPECT_EQ(loaded.document != nullptr, c.expected == psd::kPsdOk) << c.what;
  }
}

TEST(PsdHeader, EmptyInputIsShortAndStoresNull) {
  psd::PsdDocument* document = reinterpret_cast<psd::PsdDocument*>(&document);
  EXPECT_EQ(psd::LoadPsdDocumentFromMemory(&document, nullptr, 0), psd::kPsdShortData);
  EXPECT_EQ(document, nullptr);
}

TEST(PsdHeader, FileEntryPointChecksItsArguments) {
  psd::PsdDocument* document = nullptr;
  EXPECT_EQ(psd::LoadPsdDocument(nullptr, "x.psd"), psd::kPsdNullArgument);
  EXPECT_EQ(psd::LoadPsdDocument(&document, nullptr), psd::kPsdCannotOpen);
  EXPECT_EQ(psd::FreePsdDocument(nullptr), psd::kPsdNullArgument);

  testing_support::TempFolder folder;
  psd::PsdDocument* untouched = reinterpret_cast<psd::PsdDocument*>(&folder);
  EXPECT_EQ(psd::LoadPsdDocument(&untouched, (folder.Path() / "missing.psd").c_str()), psd::kPsdCannotOpen);
  EXPECT_EQ(untouched, reinterpret_cast<psd::PsdDocument*>(&folder));

  folder.WriteFile("empty.psd", "");
  EXPECT_EQ(psd::LoadPsdDocument(&untouched, (folder.Path() / "empty.psd").c_str()), psd::kPsdShortData);
  EXPECT_EQ(untouched, nullptr);

  const std::vector<std::uint8_t> bytes = Document({}, {}, {});
  folder.WriteFile("small.psd", std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(psd::LoadPsdDocument(&document, (folder.Path() / "small.psd").c_str()), psd::kPsdOk);
  EXPECT_EQ(document->columns, 2);
  EXPECT_EQ(psd::FreePsdDocument(document), psd::kPsdOk);
}

TEST(PsdHeader, ColorModeDataIsAPlanarPalette) {
  std::vector<std::uint8_t> colorData(769, 0);
  colorData[0] = 0x11;        // red of entry 0
  colorData[256 + 0] = 0x22;  // green of entry 0
  colorData[512 + 0] = 0x33;  // blue of entry 0
  colorData[255] = 0xAA;      // red of entry 255
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({.channels = 1, .mode = 2}, colorData, {}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->palette.size(), 256u);
  EXPECT_EQ(loaded.document->palette[0], 0xFF112233u);
  EXPECT_EQ(loaded.document->palette[255], 0xFFAA0000u);

  const psd_test::Loaded empty = psd_test::LoadBytes(Document({}, {}, {}));
  EXPECT_TRUE(empty.document->palette.empty());
}

TEST(PsdHeader, ResourceNamesArePaddedToEvenSizes) {
  // Each resource is followed by the caption: a wrong padding would lose it.
  for (const std::string name : {"", "a", "ab", "abc"}) {
    std::vector<std::uint8_t> resources = Resource(1024, name, {0, 7});
    const std::vector<std::uint8_t> caption = Resource(1008, "", {3, 'c', 'a', 'p'});
    resources.insert(resources.end(), caption.begin(), caption.end());
    const psd_test::Loaded loaded = psd_test::LoadBytes(Document({}, {}, resources));
    ASSERT_EQ(loaded.result, psd::kPsdOk) << name;
    EXPECT_EQ(loaded.document->targetLayer, 7) << name;
    EXPECT_EQ(loaded.document->caption, "cap") << name;
  }
}

TEST(PsdHeader, ResourcesKeepTheirFields) {
  std::vector<std::uint8_t> resources;
  const auto add = [&resources](std::uint16_t id, const std::vector<std::uint8_t>& data) {
    const std::vector<std::uint8_t> block = Resource(id, "", data);
    resources.insert(resources.end(), block.begin(), block.end());
  };
  add(1005, {0, 72, 0, 0, 0, 1, 0, 2, 0, 36, 0x80, 0, 0, 1, 0, 2});
  add(1037, {0, 0, 0, 45});
  add(1047, {0, 3});
  add(1049, {});  // data size 0 keeps nothing
  add(1057, {0, 0, 0, 1, 1, 0, 0, 0, 1, 0, 'W', 0, 0, 0, 0, 0, 0, 0, 6});
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({}, {}, resources));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdDocument& document = *loaded.document;
  EXPECT_TRUE(document.resolutionPresent);
  EXPECT_FLOAT_EQ(document.horizontalResolution, 72.0f);
  EXPECT_FLOAT_EQ(document.verticalResolution, 36.5f);
  EXPECT_EQ(document.globalAngle, 45);
  EXPECT_EQ(document.globalAltitude, 30);
  EXPECT_EQ(document.transparentIndex, 3);
  EXPECT_TRUE(document.versionInfoPresent);
  EXPECT_TRUE(document.hasRealMergedData);
  EXPECT_EQ(document.writerName, u"W");
  EXPECT_EQ(document.fileVersion, 6u);
}

TEST(PsdHeader, ResourceWithoutSignatureFails) {
  std::vector<std::uint8_t> resources = Resource(1024, "", {0, 1});
  resources[3] = 'X';
  EXPECT_EQ(psd_test::LoadBytes(Document({}, {}, resources)).result, psd::kPsdBadResourceSignature);
}

TEST(PsdHeader, AlphaChannelNamesComeFromTheFirstNamingResource) {
  std::vector<std::uint8_t> resources = Resource(1006, "", {5, 'A', 'l', 'p', 'h', 'a'});
  const std::vector<std::uint8_t> ids = Resource(1053, "", {0, 0, 0, 9});
  resources.insert(resources.end(), ids.begin(), ids.end());
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({.channels = 4}, {}, resources));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->alphaChannels.size(), 1u);
  EXPECT_EQ(loaded.document->alphaChannels[0].name, "Alpha");
  EXPECT_EQ(loaded.document->alphaChannels[0].identifier, 9u);
  EXPECT_EQ(loaded.document->colorPlaneCount, 3);
  EXPECT_EQ(loaded.document->alphaChannels[0].plane.size(), 4u);
}

// A grayscale JPEG of the given size, all of one level.
std::vector<std::uint8_t> GrayJpeg(int width, int height, std::uint8_t level) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width), level);
  JSAMPROW rows[1] = {row.data()};
  while (info.next_scanline < info.image_height) {
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

std::vector<std::uint8_t> Thumbnail(std::uint32_t format, const std::vector<std::uint8_t>& jpeg) {
  std::vector<std::uint8_t> data;
  PutU32(data, format);
  PutU32(data, 3);
  PutU32(data, 2);
  PutU32(data, 12);
  PutU32(data, 24);
  PutU32(data, static_cast<std::uint32_t>(jpeg.size()));
  PutU16(data, 24);
  PutU16(data, 1);
  data.insert(data.end(), jpeg.begin(), jpeg.end());
  return Resource(1036, "", data);
}

TEST(PsdThumbnail, GrayJpegThumbnailDecodesToOpaqueGray) {
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({}, {}, Thumbnail(1, GrayJpeg(3, 2, 0x80))));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdDocument& document = *loaded.document;
  EXPECT_TRUE(document.thumbnailPresent);
  EXPECT_EQ(document.thumbnailWidth, 3u);
  EXPECT_EQ(document.thumbnailHeight, 2u);
  ASSERT_EQ(document.thumbnailPixels.size(), 6u);
  for (std::uint32_t pixel : document.thumbnailPixels) {
    EXPECT_EQ(pixel >> 24, 0xFFu);
    EXPECT_EQ(pixel & 0xFF, (pixel >> 8) & 0xFF);
    EXPECT_EQ(pixel & 0xFF, (pixel >> 16) & 0xFF);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0x80, 2);
  }
}

TEST(PsdThumbnail, RawThumbnailIsKeptUndecoded) {
  const psd_test::Loaded raw = psd_test::LoadBytes(Document({}, {}, Thumbnail(0, {1, 2, 3})));
  ASSERT_EQ(raw.result, psd::kPsdOk);
  EXPECT_TRUE(raw.document->thumbnailPresent);
  EXPECT_TRUE(raw.document->thumbnailPixels.empty());
}

// Where the JPEG breaks decides: without a whole header there is no image
// and the document fails; a scan that ends early is still the image, with
// what is missing filled in.
TEST(PsdThumbnail, ABrokenJpegFailsOnlyWhenItsHeaderIsBroken) {
  EXPECT_EQ(psd_test::LoadBytes(Document({}, {}, Thumbnail(1, {0xFF, 0xD8, 0x00, 0x01}))).result,
            psd::kPsdBadThumbnail);
  const std::vector<std::uint8_t> jpeg = GrayJpeg(3, 2, 0x80);
  // The scan's header is the last marker; its data follows it.
  const std::uint8_t kStartOfScan[] = {0xFF, 0xDA};
  const auto scan = std::search(jpeg.begin(), jpeg.end(), std::begin(kStartOfScan), std::end(kStartOfScan));
  ASSERT_NE(scan, jpeg.end());

  const std::vector<std::uint8_t> header(jpeg.begin(), scan - 10);
  EXPECT_EQ(psd_test::LoadBytes(Document({}, {}, Thumbnail(1, header))).result, psd::kPsdBadThumbnail);

  const std::vector<std::uint8_t> shortScan(jpeg.begin(), jpeg.end() - 4);
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({}, {}, Thumbnail(1, shortScan)));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->thumbnailWidth, 3u);
  ASSERT_EQ(loaded.document->thumbnailPixels.size(), 6u);
  for (std::uint32_t pixel : loaded.document->thumbnailPixels) EXPECT_EQ(pixel >> 24, 0xFFu);
}

TEST(PsdComposite, TransparencyIsThePlaneAfterTheColours) {
  // One pixel: red 0xFF, green 0x80, blue 0x00, alpha 0x40.
  const psd_test::Loaded loaded = psd_test::LoadBytes(
      Document({.channels = 4, .rows = 1, .columns = 1}, {}, {}, {}, {0xFF, 0x80, 0x00, 0x40}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->composite, (std::vector<std::uint32_t>{0x40FF8000u}));
  ASSERT_EQ(loaded.document->LayerCount(), 1);
  const psd::PsdLayerEntry& entry = loaded.document->layers[0];
  EXPECT_EQ(entry.pixels, loaded.document->composite);
  ASSERT_EQ(entry.channels.size(), 4u);
  EXPECT_EQ(entry.channels[0].id, 0);
  EXPECT_EQ(entry.channels[3].id, -1);
}

TEST(PsdComposite, ExtraChannelsGoToTheAlphaTable) {
  // Gray with transparency and one named extra channel.
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document(
      {.channels = 3, .rows = 1, .columns = 2, .mode = 1}, {}, Resource(1006, "", {4, 'S', 'p', 'o', 't'}), {},
      {0x10, 0x20, 0xFF, 0x80, 0x01, 0x02}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->colorPlaneCount, 2);
  EXPECT_EQ(loaded.document->composite, (std::vector<std::uint32_t>{0xFF101010u, 0x80202020u}));
  ASSERT_EQ(loaded.document->alphaChannels.size(), 1u);
  EXPECT_EQ(loaded.document->alphaChannels[0].name, "Spot");
  EXPECT_EQ(loaded.document->alphaChannels[0].plane, (std::vector<std::uint8_t>{0x01, 0x02}));
}

TEST(PsdComposite, IndexedImagesNeedNoTransparencyIndex) {
  std::vector<std::uint8_t> colorData(6, 0);
  colorData[1] = 0xAA;  // red of entry 1
  const psd_test::Loaded plain =
      psd_test::LoadBytes(Document({.channels = 1, .rows = 1, .columns = 2, .mode = 2}, colorData, {}, {}, {1, 0}));
  ASSERT_EQ(plain.result, psd::kPsdOk);
  EXPECT_EQ(plain.document->composite, (std::vector<std::uint32_t>{0xFFAA0000u, 0xFF000000u}));

  const psd_test::Loaded transparent = psd_test::LoadBytes(
      Document({.channels = 1, .rows = 1, .columns = 2, .mode = 2}, colorData, Resource(1047, "", {0, 0}), {}, {1, 0}));
  ASSERT_EQ(transparent.result, psd::kPsdOk);
  EXPECT_EQ(transparent.document->composite, (std::vector<std::uint32_t>{0xFFAA0000u, 0x00FFFFFFu}));
}

TEST(PsdComposite, UnknownCompressionFails) {
  std::vector<std::uint8_t> bytes = Document({}, {}, {});
  const std::size_t compression = 26 + 4 + 4 + 4;
  bytes[compression + 1] = 4;
  EXPECT_EQ(psd_test::LoadBytes(bytes).result, psd::kPsdBadCompression);
}

std::vector<std::uint8_t> VirtualArray(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> array;
  PutU32(array, 1);  // written
  PutU32(array, static_cast<std::uint32_t>(23 + data.size()));
  PutU32(array, 8);
  array.resize(array.size() + 16, 0);
  PutU16(array, 8);
  PutU8(array, 0);  // raw
  array.insert(array.end(), data.begin(), data.end());
  return array;
}

// An RGB pattern of 2 x 1 pixels in a 'Patt' block after the global mask.
std::vector<std::uint8_t> PatternSection() {
  std::vector<std::uint8_t> pattern;
  PutU32(pattern, 1);  // version
  PutU32(pattern, 3);  // RGB
  PutU16(pattern, 1);  // height
  PutU16(pattern, 2);  // width
  PutU32(pattern, 1);
  PutU16(pattern, u'P');
  PutU8(pattern, 2);
  PutBytes(pattern, "id");
  PutU32(pattern, 3);  // list version
  PutU32(pattern, 0);
  PutU32(pattern, 0);
  PutU32(pattern, 0);
  PutU32(pattern, 1);
  PutU32(pattern, 2);
  PutU32(pattern, 3);  // channels
  for (const std::vector<std::uint8_t>& plane : {std::vector<std::uint8_t>{0xFF, 0x00},
                                                 std::vector<std::uint8_t>{0x00, 0x80}, std::vector<std::uint8_t>{0x00, 0x00}}) {
    const std::vector<std::uint8_t> array = VirtualArray(plane);
    pattern.insert(pattern.end(), array.begin(), array.end());
  }
  std::vector<std::uint8_t> block;
  PutU32(block, static_cast<std::uint32_t>(pattern.size()));
  block.insert(block.end(), pattern.begin(), pattern.end());
  block.resize((block.size() + 3) & ~std::size_t{3}, 0);

  std::vector<std::uint8_t> section;
  PutU32(section, 0);  // no layer information
  PutU32(section, 0);  // no global mask
  PutBytes(section, "8BIMPatt");
  PutU32(section, static_cast<std::uint32_t>(block.size()));
  section.insert(section.end(), block.begin(), block.end());
  return section;
}

TEST(PsdPattern, PatternsDecodeTheirPlanes) {
  const psd_test::Loaded loaded = psd_test::LoadBytes(Document({}, {}, {}, PatternSection()));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->patterns.size(), 1u);
  const psd::PsdPattern& pattern = loaded.document->patterns[0];
  EXPECT_EQ(pattern.name, u"P");
  EXPECT_EQ(pattern.identifier, "id");
  EXPECT_EQ(pattern.planeCount, 3);
  EXPECT_EQ(pattern.pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFF008000u}));

  std::vector<std::uint8_t> badVersion = PatternSection();
  badVersion[8 + 8 + 4 + 4 + 3] = 2;  // the version's low byte
  EXPECT_EQ(psd_test::LoadBytes(Document({}, {}, {}, badVersion)).result, psd::kPsdBadPatternVersion);
}

TEST(PsdLayers16, LayersOfSixteenBitDocumentsComeFromTheirBlock) {
  // An empty layer information, then 'Lr16' holding one 1 x 1 gray layer.
  std::vector<std::uint8_t> records;
  PutU16(records, 1);
  PutU32(records, 0);
  PutU32(records, 0);
  PutU32(records, 1);
  PutU32(records, 1);
  PutU16(records, 1);
  PutU16(records, 0);
  PutU32(records, 4);
  PutBytes(records, "8BIMnorm");
  PutU32(records, 0xFF000000);
  PutU32(records, 12);
  PutU32(records, 0);  // mask
  PutU32(records, 0);  // blending ranges
  PutU8(records, 3);
  PutBytes(records, "Low");
  PutU16(records, 0);  // raw
  PutU16(records, 0x7F01);

  std::vector<std::uint8_t> section;
  PutU32(section, 0);
  PutU32(section, 0);
  PutBytes(section, "8BIMLr16");
  PutU32(section, static_cast<std::uint32_t>(records.size()));
  section.insert(section.end(), records.begin(), records.end());

  const psd_test::Loaded loaded =
      psd_test::LoadBytes(Document({.channels = 1, .depth = 16, .mode = 1}, {}, {}, section));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  ASSERT_EQ(loaded.document->LayerCount(), 1);
  EXPECT_EQ(loaded.document->layers[0].name, "Low");
  EXPECT_EQ(loaded.document->layers[0].pixels, (std::vector<std::uint32_t>{0xFF7F7F7Fu}));
}

}  // namespace
