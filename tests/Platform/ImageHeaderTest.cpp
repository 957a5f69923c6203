#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Platform/ImageDecoder.h"
#include "Platform/ImageHeader.h"

namespace {

using platform::ImageType;

using Bytes = std::vector<std::uint8_t>;

void Put16Le(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32Le(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put16Le(bytes, at, value);
  Put16Le(bytes, at + 2, value >> 16);
}

void Put16Be(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<std::uint8_t>(value);
}

void Put32Be(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put16Be(bytes, at, value >> 16);
  Put16Be(bytes, at + 2, value);
}

Bytes TgaHeader(std::uint8_t type, std::uint32_t width, std::uint32_t height, std::uint8_t bits) {
  Bytes bytes(18, 0);
  bytes[2] = type;
  Put16Le(bytes, 12, width);
  Put16Le(bytes, 14, height);
  bytes[16] = bits;
  return bytes;
}

Bytes BmpHeader(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression) {
  Bytes bytes(54, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32Le(bytes, 14, 40);
  Put32Le(bytes, 18, static_cast<std::uint32_t>(width));
  Put32Le(bytes, 22, static_cast<std::uint32_t>(height));
  Put16Le(bytes, 28, bits);
  Put32Le(bytes, 30, compression);
  return bytes;
}

// A 10 x 10 screen without a colour table and one frame of 20 x 5 at (5, 0).
Bytes GifWithWideFrame() {
  Bytes bytes = {'G', 'I', 'F', '8', '9', 'a', 10, 0, 10, 0, 0, 0, 0};
  const Bytes frame = {0x2C, 5, 0, 0, 0, 20, 0, 5, 0, 0, 2, 1, 0, 0, 0x3B};
  bytes.insert(bytes.end(), frame.begin(), frame.end());
  return bytes;
}

// SOI, an APP0 segment of 16 bytes, then a baseline frame of 64 x 16.
Bytes JpegHeader(std::uint8_t frameMarker) {
  Bytes bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16};
  bytes.resize(bytes.size() + 14, 0);
  const std::size_t frame = bytes.size();
  bytes.insert(bytes.end(), {0xFF, frameMarker, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0});
  Put16Be(bytes, frame + 5, 16);
  Put16Be(bytes, frame + 7, 64);
  return bytes;
}

Bytes PngHeader(std::uint32_t width, std::uint32_t height, std::uint8_t bits, std::uint8_t colourType) {
  Bytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  bytes.resize(33, 0);
  Put32Be(bytes, 16, width);
  Put32Be(bytes, 20, height);
  bytes[24] = bits;
  bytes[25] = colourType;
  return bytes;
}

struct HeaderCase {
  const char* name;
  ImageType type;
  Bytes bytes;
  std::uint32_t width;
  std::uint32_t height;
  std::uint64_t minimumFileSize;
};

class ImageHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ImageHeaderTest, GivesTheClaimedSizeAndTheBytesItNeeds) {
  platform::ImageHeader header;
  ASSERT_TRUE(platform::ReadImageHeader(GetParam().bytes.data(), GetParam().bytes.size(), GetParam().type, &header));
  EXPECT_EQ(header.width, GetParam().width);
  EXPECT_EQ(header.height, GetParam().height);
  EXPECT_EQ(header.minimumFileSize, GetParam().minimumFileSize);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageHeaderTest,
    ::testing::Values(
        HeaderCase{"TgaRawPixels", ImageType::kTga, TgaHeader(2, 3, 2, 32), 3, 2, 18 + 3 * 2 * 4},
        // 300 pixels need at least three packets of a count byte and a pixel.
        HeaderCase{"TgaRle", ImageType::kTga, TgaHeader(10, 300, 1, 24), 300, 1, 18 + 3 * (1 + 3)},
        HeaderCase{"BmpRowsPaddedToFourBytes", ImageType::kBmp, BmpHeader(3, 2, 24, 0), 3, 2, 54 + 2 * 12},
        HeaderCase{"BmpTopDown", ImageType::kBmp, BmpHeader(3, -2, 32, 0), 3, 2, 54 + 2 * 12},
        HeaderCase{"BmpRle", ImageType::kBmp, BmpHeader(4000, 4000, 8, 1), 4000, 4000, 54},
        HeaderCase{"GifFrameBeyondTheScreen", ImageType::kGif, GifWithWideFrame(), 25, 10, 13},
        // One bit for each of the 8 x 2 blocks.
        HeaderCase{"JpegHuffman", ImageType::kJpg, JpegHeader(0xC0), 64, 16, 20 + 2},
        HeaderCase{"JpegArithmetic", ImageType::kJpg, JpegHeader(0xC9), 64, 16, 20},
        // 2000 rows of a filter byte and 8000 bytes, deflated at best 1032:1.
        HeaderCase{"PngRgba", ImageType::kPng, PngHeader(2000, 2000, 8, 6), 2000, 2000, 33 + 2000 * 8001 / 1032}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

TEST(ImageHeaderRefusalTest, BytesOfAnotherKindOrTooFewAreNoHeader) {
  const Bytes png = PngHeader(1, 1, 8, 6);
  const Bytes bmp = BmpHeader(1, 1, 24, 0);
  platform::ImageHeader header;
  EXPECT_FALSE(platform::ReadImageHeader(png.data(), png.size(), ImageType::kGif, &header));
  EXPECT_FALSE(platform::ReadImageHeader(png.data(), 20, ImageType::kPng, &header));
  EXPECT_FALSE(platform::ReadImageHeader(bmp.data(), 30, ImageType::kBmp, &header));
  EXPECT_FALSE(platform::ReadImageHeader(PngHeader(1, 1, 8, 5).data(), 33, ImageType::kPng, &header));
  EXPECT_FALSE(platform::ReadImageHeader(TgaHeader(0, 1, 1, 8).data(), 18, ImageType::kTga, &header));
  EXPECT_FALSE(platform::ReadImageHeader(nullptr, 18, ImageType::kTga, &header));
  // A JPEG whose data starts before any frame says no size.
  const Bytes scanFirst = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 0xFF, 0xD9};
  EXPECT_FALSE(platform::ReadImageHeader(scanFirst.data(), scanFirst.size(), ImageType::kJpg, &header));
}

TEST(DecodeImageTest, RefusesClaimsBeyondTheLimitsBeforeDecoding) {
  const auto refusal = [](const Bytes& file, int maxSide) {
    platform::DecodedImage image;
    std::string error;
    EXPECT_FALSE(platform::DecodeImage(file.data(), file.size(), ImageType::kTga, maxSide, &image, &error));
    EXPECT_TRUE(image.pixels.empty());
    return error;
  };
  Bytes fits = TgaHeader(2, 65, 1, 32);
  fits.resize(fits.size() + 65 * 4, 0xFF);
  EXPECT_NE(refusal(fits, 64).find("claims 65 x 1 pixels, beyond"), std::string::npos);
  EXPECT_NE(refusal(TgaHeader(2, 65535, 65535, 32), 1 << 20).find("beyond"), std::string::npos);
  EXPECT_NE(refusal(TgaHeader(2, 100, 100, 8), 4096).find("more than its 18 bytes can hold"), std::string::npos);
  platform::DecodedImage image;
  std::string error;
  EXPECT_TRUE(platform::DecodeImage(fits.data(), fits.size(), ImageType::kTga, 65, &image, &error)) << error;
  EXPECT_EQ(image.width, 65);
}

}  // namespace
