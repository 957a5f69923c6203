#include "Platform/ImageHeader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {
namespace {

// Reads that fall outside the bytes give 0, so that a short file reads as
// a header that claims nothing.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Size() const { return size_; }
  bool Has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
  bool Matches(std::size_t offset, const char* text) const {
    const std::size_t count = std::strlen(text);
    return Has(offset, count) && std::memcmp(data_ + offset, text, count) == 0;
  }
  std::uint32_t U8(std::size_t offset) const { return Has(offset, 1) ? data_[offset] : 0; }
  std::uint32_t U16Le(std::size_t offset) const { return U8(offset) | U8(offset + 1) << 8; }
  std::uint32_t U32Le(std::size_t offset) const { return U16Le(offset) | U16Le(offset + 2) << 16; }
  std::uint32_t U16Be(std::size_t offset) const { return U8(offset) << 8 | U8(offset + 1); }
  std::uint32_t U32Be(std::size_t offset) const { return U16Be(offset) << 16 | U16Be(offset + 2); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

std::uint64_t CeilDiv(std::uint64_t value, std::uint64_t divisor) { return (value + divisor - 1) / divisor; }

bool ReadTga(const Bytes& bytes, ImageHeader* out) {
  constexpr std::size_t kHeaderSize = 18;
  if (!bytes.Has(0, kHeaderSize)) return false;
  const std::uint32_t type = bytes.U8(2);
  const bool rle = type == 9 || type == 10 || type == 11;
  if (!rle && type != 1 && type != 2 && type != 3) return false;
  out->width = bytes.U16Le(12);
  out->height = bytes.U16Le(14);
  const std::uint64_t pixelBytes = std::max<std::uint32_t>(1, CeilDiv(bytes.U8(16), 8));
  const std::uint64_t colourMapBytes = bytes.U8(1) ? bytes.U16Le(5) * CeilDiv(bytes.U8(7), 8) : 0;
  const std::uint64_t pixels = std::uint64_t{out->width} * out->height;
  // An RLE packet holds at most 128 pixels.
  const std::uint64_t dataBytes = rle ? CeilDiv(pixels, 128) * (1 + pixelBytes) : pixels * pixelBytes;
  out->minimumFileSize = kHeaderSize + bytes.U8(0) + colourMapBytes + dataBytes;
  return true;
}

bool ReadBmp(const Bytes& bytes, ImageHeader* out) {
  constexpr std::size_t kFileHeaderSize = 14;
  if (!bytes.Matches(0, "BM")) return false;
  const std::uint32_t infoSize = bytes.U32Le(14);
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  if (infoSize == 12) {
    out->width = bytes.U16Le(18);
    out->height = bytes.U16Le(20);
    bitsPerPixel = bytes.U16Le(24);
  } else if (infoSize >= 40) {
    const auto width = static_cast<std::int32_t>(bytes.U32Le(18));
    const auto height = static_cast<std::int32_t>(bytes.U32Le(22));
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min()) return false;
    out->width = static_cast<std::uint32_t>(width);
    // A negative height stores the rows top first.
    out->height = static_cast<std::uint32_t>(std::abs(height));
    bitsPerPixel = bytes.U16Le(28);
    compression = bytes.U32Le(30);
  } else {
    return false;
  }
  if (!bytes.Has(0, kFileHeaderSize + infoSize)) return false;
  // Uncompressed rows and rows of colour masks are padded to 4 bytes.
  const bool uncompressed = compression == 0 || compression == 3;
  const std::uint64_t rowBytes = CeilDiv(std::uint64_t{out->width} * bitsPerPixel, 32) * 4;
  out->minimumFileSize = kFileHeaderSize + infoSize + (uncompressed ? rowBytes * out->height : 0);
  return true;
}

bool ReadGif(const Bytes& bytes, ImageHeader* out) {
  constexpr std::size_t kScreenEnd = 13;
  if (!bytes.Matches(0, "GIF87a") && !bytes.Matches(0, "GIF89a")) return false;
  out->width = bytes.U16Le(6);
  out->height = bytes.U16Le(8);
  const auto colourTableBytes = [](std::uint32_t flags) {
    return flags & 0x80 ? std::size_t{3} << ((flags & 7) + 1) : std::size_t{0};
  };
  // A frame may claim more than the screen: every frame's size counts.
  std::size_t at = kScreenEnd + colourTableBytes(bytes.U8(10));
  const auto skipSubBlocks = [&] {
    while (bytes.Has(at, 1) && bytes.U8(at) != 0) at += 1 + bytes.U8(at);
    ++at;
  };
  while (bytes.Has(at, 1)) {
    const std::uint32_t block = bytes.U8(at);
    if (block == 0x21) {
      at += 2;
      skipSubBlocks();
    } else if (block == 0x2C) {
      out->width = std::max(out->width, bytes.U16Le(at + 1) + bytes.U16Le(at + 5));
      out->height = std::max(out->height, bytes.U16Le(at + 3) + bytes.U16Le(at + 7));
      at += 10 + colourTableBytes(bytes.U8(at + 9)) + 1;
      skipSubBlocks();
    } else {
      break;
    }
  }
  out->minimumFileSize = kScreenEnd;
  return true;
}

bool IsStartOfFrame(std::uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool ReadJpeg(const Bytes& bytes, ImageHeader* out) {
  if (bytes.U16Be(0) != 0xFFD8) return false;
  std::size_t at = 2;
  while (bytes.Has(at, 4)) {
    if (bytes.U8(at) != 0xFF) return false;
    const std::uint32_t marker = bytes.U8(at + 1);
    if (marker == 0xFF) {
      ++at;  // fill byte
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return false;  // data or end before any frame
    if (IsStartOfFrame(marker)) {
      if (!bytes.Has(at, 9)) return false;
      out->height = bytes.U16Be(at + 5);
      out->width = bytes.U16Be(at + 7);
      // Huffman coding spends at least one bit on each 8x8 block; arithmetic
      // coding (the markers from 0xC9 on) can spend less.
      const std::uint64_t blocks = CeilDiv(out->width, 8) * CeilDiv(out->height, 8);
      out->minimumFileSize = at + (marker < 0xC8 ? CeilDiv(blocks, 8) : 0);
      return true;
    }
    at += 2 + bytes.U16Be(at + 2);
  }
  return false;
}

bool ReadPng(const Bytes& bytes, ImageHeader* out) {
  constexpr std::size_t kHeaderEnd = 33;  // signature and the IHDR chunk
  // Deflate expands one byte into at most 1032.
  constexpr std::uint64_t kLargestInflation = 1032;
  if (!bytes.Matches(0, "\x89PNG\r\n\x1a\n") || !bytes.Matches(12, "IHDR") || !bytes.Has(0, kHeaderEnd)) return false;
  out->width = bytes.U32Be(16);
  out->height = bytes.U32Be(20);
  std::uint64_t channels = 0;
  switch (bytes.U8(25)) {
    case 0: channels = 1; break;  // grey
    case 2: channels = 3; break;  // RGB
    case 3: channels = 1; break;  // palette
    case 4: channels = 2; break;  // grey and alpha
    case 6: channels = 4; break;  // RGBA
    default: return false;
  }
  // Each row starts with a filter byte.
  const std::uint64_t rowBytes = 1 + CeilDiv(std::uint64_t{out->width} * channels * bytes.U8(24), 8);
  out->minimumFileSize = kHeaderEnd + rowBytes * out->height / kLargestInflation;
  return true;
}

}  // namespace

bool ReadImageHeader(const std::uint8_t* data, std::size_t size, ImageType type, ImageHeader* out) {
  *out = {};
  const Bytes bytes(data, data ? size : 0);
  switch (type) {
    case ImageType::kBmp: return ReadBmp(bytes, out);
    case ImageType::kJpg: return ReadJpeg(bytes, out);
    case ImageType::kGif: return ReadGif(bytes, out);
    case ImageType::kPng: return ReadPng(bytes, out);
    case ImageType::kTga: return ReadTga(bytes, out);
  }
  return false;
}

}  // namespace platform
