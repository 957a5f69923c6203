#include <IL/il.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/LittleEndian.h"
#include "Core/Base/MemoryStream.h"
#include "Core/File/FileManager.h"
#include "Core/File/PsdFolder.h"
#include "Core/Render/AlphaHitMask.h"
#include "Core/Render/DX9/TextureDX9.h"
#include "Core/Render/DxtAlpha.h"
#include "Core/Render/Image.h"
#include "Core/Render/ImageLoader.h"
#include "Core/Render/Vertices.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/TempFolder.h"
#include "tests/Support/CaseNames.h"

namespace {

using render::ImageCompression;

// The longest texture side of the devices the decoders are tried for.
constexpr int kDeviceSide = 16384;

std::string ToString(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// A 32-bit uncompressed TGA; pixels are 0xAARRGGBB, top row first.
std::vector<std::uint8_t> Tga(int width, int height, const std::vector<std::uint32_t>& pixels, bool bottomUp) {
  std::vector<std::uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  base::AppendU16(bytes, static_cast<std::uint16_t>(width));
  base::AppendU16(bytes, static_cast<std::uint16_t>(height));
  base::AppendU8(bytes, 32);
  base::AppendU8(bytes, bottomUp ? 0x08 : 0x28);
  for (int row = 0; row < height; ++row) {
    const int y = bottomUp ? height - 1 - row : row;
    for (int x = 0; x < width; ++x) base::AppendU32(bytes, pixels[static_cast<std::size_t>(y * width + x)]);
  }
  return bytes;
}

// A DDS file; fourCc 0 makes 32-bit A8R8G8B8 pixels. data follows the header.
std::vector<std::uint8_t> Dds(int width, int height, const char* fourCc, const std::vector<std::uint8_t>& data,
                                     int levels = 0) {
  std::vector<std::uint8_t> bytes = {'D', 'D', 'S', ' '};
  const std::size_t header = bytes.size();
  bytes.resize(header + 124, 0);
  const auto put = [&](int offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[header + offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(0, 124);
  put(8, static_cast<std::uint32_t>(height));
  put(12, static_cast<std::uint32_t>(width));
  put(24, static_cast<std::uint32_t>(levels));
  put(72, 32);
  if (fourCc) {
    put(76, 4);
    put(80, std::uint32_t(std::uint8_t(fourCc[0])) | std::uint32_t(std::uint8_t(fourCc[1])) << 8 |
                std::uint32_t(std::uint8_t(fourCc[2])) << 16 | std::uint32_t(std::uint8_t(fourCc[3])) << 24);
  } else {
    put(76, 0x41);
    put(84, 32);
    put(88, 0x00FF0000u);
    put(92, 0x0000FF00u);
    put(96, 0x000000FFu);
    put(100, 0xFF000000u);
  }
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

// A DXT1 block in three-colour mode (first colour not above the second):
// texel 0 uses index 3, transparent; every other texel index 0.
std::vector<std::uint8_t> Dxt1BlockWithTransparentTexel() { return {0x00, 0x00, 0xFF, 0xFF, 0x03, 0, 0, 0}; }


// Decodes bytes as a file of that extension; the mask gets one bit per pixel.
struct Decoded {
  std::unique_ptr<render::ImageData> decoder;
  std::vector<std::uint8_t> pixels;
  render::AlphaHitMask mask;
  QLResultEnum result = QL_FAIL;
};

Decoded Decode(const std::vector<std::uint8_t>& file, const base::WString& extension) {
  Decoded out;
  base::MemoryStream stream(file.data(), static_cast<std::uint32_t>(file.size()));
  out.decoder = render::ImageLoader::Instance()->CreateImageData(stream, extension, kDeviceSide);
  if (!out.decoder) return out;
  const int width = out.decoder->GetWidth();
  const int height = out.decoder->GetHeight();
  out.pixels.assign(static_cast<std::size_t>(width * height * 4 + 64), 0);
  out.mask.Resize(static_cast<std::uint32_t>(width * height), false);
  const int pitch = out.decoder->GetCompression() == ImageCompression::kNone ? width * 4 : (width + 3) / 4 * 16;
  out.result = out.decoder->Decode(pitch, out.pixels.data(), out.mask);
  return out;
}

TEST(AlphaHitMaskTest, StartsClearAndKeepsItsPrefixOnResize) {
  render::AlphaHitMask mask(20);
  for (std::uint32_t i = 0; i < 20; ++i) EXPECT_FALSE(mask.Get(i));
  mask.Set(true, 3);
  mask.Set(true, 12);
  mask.Resize(10, true);
  mask.Resize(20, true);
  EXPECT_TRUE(mask.Get(3));
  EXPECT_FALSE(mask.Get(12));
  EXPECT_FALSE(mask.Get(25));
}

struct BlockCase {
  const char* name;
  ImageCompression compression;
  std::vector<std::uint8_t> block;
  int texel;
  int alpha;
};

class BlockAlphaTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockAlphaTest, FollowsTheBlockFormat) {
  std::vector<std::uint8_t> block = GetParam().block;
  block.resize(16, 0);
  EXPECT_EQ(render::DecodeBlockAlpha(GetParam().compression, block.data())[GetParam().texel], GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockAlphaTest,
    ::testing::Values(
        BlockCase{"Dxt1TransparentTexel", ImageCompression::kDxt1, Dxt1BlockWithTransparentTexel(), 0, 0},
        BlockCase{"Dxt1OpaqueTexel", ImageCompression::kDxt1, Dxt1BlockWithTransparentTexel(), 1, 255},
        BlockCase{"Dxt1FourColourBlockIsOpaque", ImageCompression::kDxt1, {0xFF, 0xFF, 0x00, 0x00, 0x03}, 0, 255},
        BlockCase{"Dxt3LowNibble", ImageCompression::kDxt3, {0x3A}, 0, 0xA * 17},
        BlockCase{"Dxt3HighNibble", ImageCompression::kDxt3, {0x3A}, 1, 3 * 17},
        BlockCase{"Dxt5EightStepBlend", ImageCompression::kDxt5, {200, 100, 0x02}, 0, (6 * 200 + 100) / 7},
        BlockCase{"Dxt5SixStepZero", ImageCompression::kDxt5, {100, 200, 0x06}, 0, 0},
        BlockCase{"Dxt5SixStepFull", ImageCompression::kDxt5, {100, 200, 0x07}, 0, 255},
        BlockCase{"Dxt5SixStepBlend", ImageCompression::kDxt5, {100, 200, 0x02}, 0, (4 * 100 + 200) / 5}),
    testing_support::RowName());

TEST(ImageDataDDSTest, MasksTheTransparentTexelOfADxt1BlockOnly) {
  const Decoded image = Decode(Dds(4, 4, "DXT1", Dxt1BlockWithTransparentTexel()), u".dds");
  ASSERT_EQ(image.result, QL_OK);
  EXPECT_FALSE(image.mask.Get(0));
  for (std::uint32_t i = 1; i < 16; ++i) EXPECT_TRUE(image.mask.Get(i)) << i;
}

TEST(ImageDataDDSTest, RoundsBlockCountsUpForSidesNotMultiplesOfFour) {
  std::vector<std::uint8_t> blocks;
  for (int i = 0; i < 4; ++i) {
    const std::vector<std::uint8_t> block = {255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    blocks.insert(blocks.end(), block.begin(), block.end());
  }
  const Decoded image = Decode(Dds(6, 6, "DXT5", blocks), u".dds");
  ASSERT_EQ(image.result, QL_OK);
  EXPECT_EQ(image.decoder->GetCompression(), ImageCompression::kDxt5);
  for (std::uint32_t i = 0; i < 36; ++i) EXPECT_TRUE(image.mask.Get(i)) << i;
  blocks.pop_back();
  EXPECT_EQ(Decode(Dds(6, 6, "DXT5", blocks), u".dds").result, QL_FAIL);
}

TEST(ImageDataDDSTest, HitsUncompressedPixelsAboveAlphaTen) {
  const Decoded image = Decode(Dds(2, 1, nullptr, {0, 0, 0, 10, 0, 0, 0, 11}), u".dds");
  ASSERT_EQ(image.result, QL_OK);
  EXPECT_FALSE(image.mask.Get(0));
  EXPECT_TRUE(image.mask.Get(1));
}

struct MalformedCase {
  const char* name;
  std::vector<std::uint8_t> file;
};

class MalformedDdsTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDdsTest, IsRefused) {
  EXPECT_EQ(Decode(GetParam().file, u".dds").decoder, nullptr);
}

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

std::vector<std::uint8_t> WrongMagic() {
  std::vector<std::uint8_t> bytes = Dds(4, 4, "DXT1", Dxt1BlockWithTransparentTexel());
  bytes[0] = 'X';
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedDdsTest,
                         ::testing::Values(MalformedCase{"Empty", {}}, MalformedCase{"WrongMagic", WrongMagic()},
                                           MalformedCase{"ShortHeader", Truncated(Dds(4, 4, "DXT1", {}), 60)},
                                           MalformedCase{"ZeroWidth", Dds(0, 4, "DXT1", {})},
                                           MalformedCase{"HugeHeight", Dds(4, 1 << 20, "DXT1", {})},
                                           MalformedCase{"OtherFourCC", Dds(4, 4, "ATI2", {})},
                                           MalformedCase{"TooManyLevels", Dds(4, 4, "DXT1", {}, 9)}),
                         testing_support::RowName());

TEST(ImageDataDevilTest, StoresABottomUpTgaTopRowFirst) {
  const std::vector<std::uint32_t> pixels = {0xFF112233u, 0x31445566u, 0x32778899u, 0xFFAABBCCu};
  const Decoded image = Decode(Tga(2, 2, pixels, true), u".tga");
  ASSERT_EQ(image.result, QL_OK);
  std::vector<std::uint32_t> stored(4);
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t b = 0; b < 4; ++b) stored[i] |= std::uint32_t{image.pixels[i * 4 + b]} << (8 * b);
  }
  EXPECT_EQ(stored, pixels);
  EXPECT_TRUE(image.mask.Get(0));
  EXPECT_FALSE(image.mask.Get(1));
  EXPECT_TRUE(image.mask.Get(2));
}

TEST(ImageDataDevilTest, TruncatedOrUnknownFilesAreRefused) {
  const std::vector<std::uint8_t> tga = Tga(2, 2, {1, 2, 3, 4}, false);
  EXPECT_EQ(Decode(Truncated(tga, 20), u".tga").decoder, nullptr);
  EXPECT_EQ(Decode(tga, u".xyz").decoder, nullptr);
  EXPECT_EQ(Decode(tga, u".TGA").decoder, nullptr);
}

// Writes a 1 x 1 PNG of that pixel through DevIL, the decoder the engine reads it with.
void WritePng(const testing_support::TempFolder& folder, const std::string& name, std::uint32_t argb) {
  ilInit();
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ILubyte rgba[4] = {ILubyte(argb >> 16), ILubyte(argb >> 8), ILubyte(argb), ILubyte(argb >> 24)};
  ilTexImage(1, 1, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, rgba);
  ilEnable(IL_FILE_OVERWRITE);
  ASSERT_TRUE(ilSaveImage((folder.Path() / name).string().c_str()));
  ilDeleteImages(1, &image);
}

TEST(ImageDataDevilTest, KeepsThePngPixelWithItsAlpha) {
  const testing_support::TempFolder folder;
  WritePng(folder, "p.png", 0x80112233u);
  const std::string file = folder.ReadFile("p.png");
  const Decoded image = Decode({file.begin(), file.end()}, u".png");
  ASSERT_EQ(image.result, QL_OK);
  EXPECT_EQ(std::vector<std::uint8_t>(image.pixels.begin(), image.pixels.begin() + 4),
            (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0x80}));
  EXPECT_TRUE(image.mask.Get(0));
}

class ImageLoadTest : public render_test::RenderDX9Fixture {
 protected:
  std::unique_ptr<render::Image> Load(const std::string& name, QLResultEnum expected = QL_OK) {
    std::unique_ptr<render::Image> image;
    EXPECT_EQ(render_->CreateImage(folder_.Wide(name), nullptr, &image), expected);
    return image;
  }
  testing_support::TempFolder folder_;
};

TEST_F(ImageLoadTest, TriesTheNameThenEachExtensionInOrder) {
  ASSERT_EQ(Start(), QL_OK);
  folder_.WriteFile("a.tga", ToString(Tga(3, 1, {0, 0, 0}, false)));
  WritePng(folder_, "a.png", 0xFF000000u);
  folder_.WriteFile("b.tga", ToString(Tga(3, 1, {0, 0, 0}, false)));
  folder_.WriteFile("b.dds", ToString(Dds(4, 4, "DXT1", Dxt1BlockWithTransparentTexel())));
  folder_.WriteFile("c.tga", ToString(Tga(5, 1, {0, 0, 0, 0, 0}, false)));
  EXPECT_EQ(Load("a")->GetWidth(), 1);
  EXPECT_EQ(Load("b")->GetWidth(), 4);
  EXPECT_EQ(Load("c")->GetWidth(), 5);
  EXPECT_EQ(Load("c.tga")->GetWidth(), 5);
  EXPECT_EQ(Load("missing", QL_FAIL), nullptr);
}

TEST_F(ImageLoadTest, TwoImagesOfOneFileShareOneTexture) {
  ASSERT_EQ(Start(), QL_OK);
  folder_.WriteFile("s.dds", ToString(Dds(4, 4, "DXT1", Dxt1BlockWithTransparentTexel())));
  const auto first = Load("s");
  const auto second = Load("s");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetTexture(), second->GetTexture());
  EXPECT_EQ(first->GetTexture()->GetDeviceTexture()->GetFormat(), platform::TextureFormat::kDxt1);
}

TEST_F(ImageLoadTest, HitTestsFollowTheMaskInsideTheImageOnly) {
  ASSERT_EQ(Start(), QL_OK);
  folder_.WriteFile("h.dds", ToString(Dds(4, 4, "DXT1", Dxt1BlockWithTransparentTexel())));
  const auto image = Load("h");
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->HitTest(0, 0));
  EXPECT_TRUE(image->HitTest(1, 0));
  EXPECT_FALSE(image->HitTest(-1, 0));
  EXPECT_FALSE(image->HitTest(4, 0));
}

TEST_F(ImageLoadTest, DamagedFilesFailToLoad) {
  ASSERT_EQ(Start(), QL_OK);
  folder_.WriteFile("d.dds", ToString(Truncated(Dds(8, 8, "DXT5", std::vector<std::uint8_t>(64)), 150)));
  folder_.WriteFile("t.tga", ToString(Truncated(Tga(4, 4, std::vector<std::uint32_t>(16), false), 30)));
  EXPECT_EQ(Load("d", QL_FAIL), nullptr);
  EXPECT_EQ(Load("t", QL_FAIL), nullptr);
}

// The device's limit reaches the decoder: a file longer than the card takes
// is refused before it is decoded, on either side.
TEST_F(ImageLoadTest, ImagesLongerThanTheDeviceTakesAreRefused) {
  platform::DeviceCaps caps;
  caps.maxTextureWidth = caps.maxTextureHeight = 64;
  caps.maxVertexIndex = 0xFFFFFF;
  caps.vertexShader = caps.pixelShader = {3, 0};
  caps.scissorTest = true;
  platform::OverrideDeviceCaps(caps);
  ASSERT_EQ(Start(), QL_OK);
  folder_.WriteFile("fits.tga", ToString(Tga(64, 1, std::vector<std::uint32_t>(64), false)));
  folder_.WriteFile("wide.tga", ToString(Tga(65, 1, std::vector<std::uint32_t>(65), false)));
  folder_.WriteFile("tall.tga", ToString(Tga(1, 65, std::vector<std::uint32_t>(65), false)));
  EXPECT_TRUE(Load("fits"));
  EXPECT_EQ(Load("wide", QL_FAIL), nullptr);
  EXPECT_EQ(Load("tall", QL_FAIL), nullptr);
}

TEST_F(ImageLoadTest, ARenderTargetImageHasNoHitMaskAndComesBackAfterReset) {
  ASSERT_EQ(Start(), QL_OK);
  auto texture = std::make_unique<render::TextureDX9>(render_.get());
  ASSERT_EQ(texture->CreateRenderTarget(8, 4), QL_OK);
  texture->OnLostDevice();
  EXPECT_EQ(texture->GetDeviceTexture(), nullptr);
  ASSERT_EQ(texture->OnResetDevice(), QL_OK);
  EXPECT_TRUE(texture->GetDeviceTexture()->IsRenderTarget());
  const render::Image image(std::move(texture));
  EXPECT_EQ(image.GetWidth(), 8);
  EXPECT_FALSE(image.HitTest(1, 1));
}

TEST_F(ImageLoadTest, ADynamicTextureLocksWholeRowsOfPixels) {
  ASSERT_EQ(Start(), QL_OK);
  render::TextureDX9 texture(render_.get());
  ASSERT_EQ(texture.CreateDynamic(5, 3), QL_OK);
  std::uint32_t size = 0;
  int pitch = 0;
  void* bits = nullptr;
  ASSERT_EQ(texture.Lock(&size, &pitch, &bits), QL_OK);
  EXPECT_GE(pitch, 20);
  EXPECT_EQ(size, static_cast<std::uint32_t>(3 * pitch / 4));
  EXPECT_EQ(texture.Unlock(), QL_OK);
}

// A 4 x 4 atlas whose bottom-right quarter is the layer "part": opaque but
// for its last texel. The layer "plain" is a file of its own.
class AtlasImageTest : public ImageLoadTest {
 protected:
  void SetUp() override {
    ImageLoadTest::SetUp();
    std::vector<std::uint32_t> atlas(16, 0);
    for (int y = 2; y < 4; ++y)
      for (int x = 2; x < 4; ++x) atlas[static_cast<std::size_t>(y * 4 + x)] = 0xFF00FF00u;
    atlas[15] = 0;
    folder_.WriteFile("layout/atlas.tga", ToString(Tga(4, 4, atlas, false)));
    folder_.WriteFile("layout/plain.tga", ToString(Tga(3, 1, {0, 0, 0}, false)));
    folder_.WriteFile("layout/layers.xml",
                      "<Layers><Layer name=\"plain\" x=\"1\" y=\"2\" width=\"3\" height=\"1\"/>"
                      "<Layer name=\"part\" width=\"2\" height=\"2\" atlas=\"atlas.tga\""
                      " tu1=\"0.5\" tv1=\"0\" tu2=\"1\" tv2=\"0.5\"/></Layers>");
  }

  std::unique_ptr<render::Image> LoadLayer(file::ImageContainer& layout, const char16_t* name,
                                           base::ImageInfo* description = nullptr) {
    std::unique_ptr<render::Image> image;
    EXPECT_EQ(render_->CreateImage(name, &layout, &image, description), QL_OK);
    return image;
  }
};

TEST_F(AtlasImageTest, AnAtlasLayerIsItsRectangleOfTheSharedAtlasTexture) {
  ASSERT_EQ(Start(), QL_OK);
  file::PsdFolder layout(folder_.Wide("layout"), file::FileManager::Instance());
  ASSERT_EQ(layout.Load(), QL_OK);
  base::ImageInfo description;
  const auto part = LoadLayer(layout, u"part", &description);
  ASSERT_TRUE(part && part->GetTexture());
  EXPECT_TRUE(description.inAtlas);
  EXPECT_EQ(part->GetWidth(), 2);
  EXPECT_EQ(part->GetTexture()->GetWidth(), 4);
  EXPECT_TRUE(part->HitTest(0, 0));
  EXPECT_FALSE(part->HitTest(1, 1));
  EXPECT_FALSE(part->HitTest(2, 0));

  render::SVertex2D quad[2] = {{0, 0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 1, 1}};
  ASSERT_EQ(part->MapTexCoords(quad, 2, 0, render::SVertex2D::Format()), QL_OK);
  EXPECT_FLOAT_EQ(quad[0].u, 0.5f);
  EXPECT_FLOAT_EQ(quad[0].v, 0.5f);
  EXPECT_FLOAT_EQ(quad[1].u, 1.0f);
  EXPECT_FLOAT_EQ(quad[1].v, 1.0f);
  EXPECT_EQ(part->MapTexCoords(quad, 2, 1, render::SVertex2D::Format()), QL_FAIL);

  const auto plain = LoadLayer(layout, u"plain");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->GetWidth(), 3);
  EXPECT_EQ(plain->MapTexCoords(quad, 2, 0, render::SVertex2D::Format()), QL_OK);
  EXPECT_FLOAT_EQ(quad[0].u, 0.5f);
}

TEST(ImageDataRawTest, LayerPixelsAreCopiedAndFaintAlphaStillHits) {
  const std::vector<std::uint8_t> pixels = {1, 2, 3, 9, 4, 5, 6, 10};
  base::MemoryStream stream(pixels.data(), static_cast<std::uint32_t>(pixels.size()));
  base::ImageInfo layer(u"l", 0, 0, 2, 1, 255, 0, true, true, 1.0f);
  auto decoder = render::ImageLoader::Instance()->CreateImageData(stream, u"", kDeviceSide, &layer);
  ASSERT_TRUE(decoder);
  std::vector<std::uint8_t> texture(8);
  render::AlphaHitMask mask(2);
  ASSERT_EQ(decoder->Decode(8, texture.data(), mask), QL_OK);
  EXPECT_EQ(texture, pixels);
  EXPECT_FALSE(mask.Get(0));
  EXPECT_TRUE(mask.Get(1));

  base::MemoryStream shortStream(pixels.data(), 6);
  auto cut = render::ImageLoader::Instance()->CreateImageData(shortStream, u"", kDeviceSide, &layer);
  EXPECT_EQ(cut->Decode(8, texture.data(), mask), QL_FAIL);
}

}  // namespace
