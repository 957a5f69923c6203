#include "Core/Render/ImageDataDDS.h"

#include <algorithm>
#include <array>

#include "Core/Base/LogMessage.h"
#include "Core/Base/Stream.h"
#include "Core/Render/AlphaHitMask.h"
#include "Core/Render/DxtAlpha.h"

namespace render {

namespace {

constexpr int kHeaderSize = 124;
// Larger sizes are taken as a damaged header rather than allocated.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint32_t kFourCcFlag = 4;
// Alpha at or below this is not hit.
constexpr std::uint8_t kHitAbove = 10;

using Header = std::array<std::uint8_t, kHeaderSize>;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

std::uint32_t FieldAt(const Header& header, int offset) { return LittleEndian32(header.data() + offset); }

constexpr std::uint32_t FourCc(const char (&code)[5]) {
  return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
         std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

int MaxLevels(int width, int height) {
  int levels = 1;
  for (int side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

int BlockBytes(ImageCompression compression) { return compression == ImageCompression::kDxt1 ? 8 : 16; }

// A level is stored as rows of pixels, or as rows of 4x4 blocks.
struct LevelLayout {
  int rows;
  std::uint32_t rowBytes;
};

LevelLayout LayoutOf(ImageCompression compression, int width, int height) {
  if (compression == ImageCompression::kNone) return {height, static_cast<std::uint32_t>(width) * 4};
  return {(height + 3) / 4, static_cast<std::uint32_t>((width + 3) / 4 * BlockBytes(compression))};
}

std::uint64_t ChainBytes(ImageCompression compression, int width, int height, int levels) {
  std::uint64_t bytes = 0;
  for (int level = 0; level < levels; ++level) {
    const LevelLayout layout = LayoutOf(compression, std::max(width >> level, 1), std::max(height >> level, 1));
    bytes += static_cast<std::uint64_t>(layout.rows) * layout.rowBytes;
  }
  return bytes;
}

QLResultEnum Refuse(const char16_t* why) {
  QL_LOG(u"DDS image refused: %s\n").AddArg(base::WString(why));
  return QL_FAIL;
}

QLResultEnum ReadPixelFormat(const Header& header, ImageCompression* compression) {
  if ((FieldAt(header, 76) & kFourCcFlag) == 0) {
    const bool argb = FieldAt(header, 84) == 32 && FieldAt(header, 88) == 0x00FF0000u &&
                      FieldAt(header, 92) == 0x0000FF00u && FieldAt(header, 96) == 0x000000FFu;
    if (!argb) return Refuse(u"uncompressed pixels other than 32-bit A8R8G8B8");
    *compression = ImageCompression::kNone;
    return QL_OK;
  }
  switch (FieldAt(header, 80)) {
    case FourCc("DXT1"): *compression = ImageCompression::kDxt1; return QL_OK;
    case FourCc("DXT3"): *compression = ImageCompression::kDxt3; return QL_OK;
    case FourCc("DXT5"): *compression = ImageCompression::kDxt5; return QL_OK;
    default: return Refuse(u"compression other than DXT1, DXT3 or DXT5");
  }
}

}  // namespace

QLResultEnum ImageDataDDS::Load(base::Stream& stream, const base::WString&) {
  stream_ = &stream;
  std::array<std::uint8_t, 4> magic{};
  Header header{};
  if (stream.Read(magic.data(), 4) != 4 || LittleEndian32(magic.data()) != FourCc("DDS ")) {
    return Refuse(u"not a DDS file");
  }
  if (stream.Read(header.data(), kHeaderSize) != kHeaderSize || FieldAt(header, 0) != kHeaderSize) {
    return Refuse(u"truncated or damaged header");
  }
  const std::uint32_t height = FieldAt(header, 8);
  const std::uint32_t width = FieldAt(header, 12);
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return Refuse(u"size out of range");
  const std::uint32_t levels = std::max<std::uint32_t>(FieldAt(header, 24), 1);
  if (levels > static_cast<std::uint32_t>(MaxLevels(static_cast<int>(width), static_cast<int>(height)))) {
    return Refuse(u"more mipmap levels than the size allows");
  }
  ImageCompression compression = ImageCompression::kNone;
  if (const QLResultEnum result = ReadPixelFormat(header, &compression); result != QL_OK) return result;
  // Checked before anything is allocated: a header of a few bytes may claim
  // gigabytes of levels.
  const std::uint32_t position = stream.Seek(0, base::kSeekCurrent);
  const std::uint32_t size = stream.GetSize();
  const std::uint64_t available = size > position ? size - position : 0;
  if (ChainBytes(compression, static_cast<int>(width), static_cast<int>(height), static_cast<int>(levels)) > available) {
    return Refuse(u"pixel data shorter than the header says");
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  levels_ = static_cast<int>(levels);
  compression_ = compression;
  return QL_OK;
}

QLResultEnum ImageDataDDS::ReadLevel(int width, int height, int pitch, std::uint8_t* destination) {
  const LevelLayout layout = LayoutOf(compression_, width, height);
  for (int row = 0; row < layout.rows; ++row) {
    if (!stream_ ||
        stream_->Read(destination + static_cast<std::ptrdiff_t>(row) * pitch, layout.rowBytes) != layout.rowBytes) {
      return Refuse(u"pixel data shorter than the header says");
    }
  }
  return QL_OK;
}

QLResultEnum ImageDataDDS::Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) {
  if (const QLResultEnum result = ReadLevel(width_, height_, pitch, destination); result != QL_OK) return result;
  const auto bit = [this](int x, int y) { return static_cast<std::uint32_t>(y) * width_ + static_cast<std::uint32_t>(x); };
  if (compression_ == ImageCompression::kNone) {
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* row = destination + static_cast<std::ptrdiff_t>(y) * pitch;
      for (int x = 0; x < width_; ++x) mask.Set(row[x * 4 + 3] > kHitAbove, bit(x, y));
    }
    return QL_OK;
  }
  const int blockBytes = BlockBytes(compression_);
  for (int blockY = 0; blockY * 4 < height_; ++blockY) {
    const std::uint8_t* row = destination + static_cast<std::ptrdiff_t>(blockY) * pitch;
    for (int blockX = 0; blockX * 4 < width_; ++blockX) {
      const BlockAlpha alpha = DecodeBlockAlpha(compression_, row + blockX * blockBytes);
      for (int k = 0; k < 16; ++k) {
        const int x = blockX * 4 + k % 4;
        const int y = blockY * 4 + k / 4;
        if (x < width_ && y < height_) mask.Set(alpha[k] > kHitAbove, bit(x, y));
      }
    }
  }
  return QL_OK;
}

QLResultEnum ImageDataDDS::DecodeLevel(int level, int pitch, std::uint8_t* destination) {
  if (level <= 0 || level >= levels_) return QL_FAIL;
  return ReadLevel(std::max(width_ >> level, 1), std::max(height_ >> level, 1), pitch, destination);
}

}  // namespace render
