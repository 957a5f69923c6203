#include "Core/Render/ImageDataRaw.h"

#include <cstring>
#include <vector>

#include "Core/Base/Stream.h"
#include "Core/Render/AlphaHitMask.h"

namespace render {

namespace {

// A layer's edge is often faint: anything but nearly clear alpha is hit.
constexpr std::uint32_t kHitFrom = 10;

}  // namespace

ImageDataRaw::ImageDataRaw(int width, int height) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
}

QLResultEnum ImageDataRaw::Load(base::Stream& stream, const base::WString&) {
  stream_ = &stream;
  return QL_OK;
}

QLResultEnum ImageDataRaw::Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) {
  if (!stream_) return QL_FAIL;
  const std::uint32_t rowBytes = static_cast<std::uint32_t>(width_) * 4;
  std::vector<std::uint8_t> bytes(rowBytes);
  for (int y = 0; y < height_; ++y) {
    if (stream_->Read(bytes.data(), rowBytes) != rowBytes) return QL_FAIL;
    std::uint8_t* row = destination + static_cast<std::ptrdiff_t>(y) * pitch;
    for (int x = 0; x < width_; ++x) {
      const std::uint8_t* word = bytes.data() + static_cast<std::size_t>(x) * 4;
      const std::uint32_t argb = word[0] | word[1] << 8 | word[2] << 16 | static_cast<std::uint32_t>(word[3]) << 24;
      std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 4, &argb, 4);
      mask.Set(argb >> 24 >= kHitFrom, static_cast<std::uint32_t>(y) * width_ + static_cast<std::uint32_t>(x));
    }
  }
  return QL_OK;
}

}  // namespace render
