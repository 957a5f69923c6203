#include "Core/Render/ImageDataDevil.h"

#include <cstring>
#include <string>

#include "Core/Base/LogMessage.h"
#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Stream.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/AlphaHitMask.h"

namespace render {

namespace {

// Alpha below this is not hit.
constexpr std::uint32_t kHitFrom = 50;
// Far beyond the largest texture the game draws, compressed or not.
constexpr std::uint32_t kMaxEncodedBytes = 64u << 20;

}  // namespace

QLResultEnum ImageDataDevil::Load(base::Stream& stream, const base::WString& extension) {
  std::vector<std::uint8_t> bytes;
  if (!base::ReadWholeStream(stream, kMaxEncodedBytes, u"Image of type " + extension, bytes)) return QL_FAIL;
  std::string error = "empty";
  if (bytes.empty() || !platform::DecodeImage(bytes.data(), bytes.size(), type_, maxSide_, &image_, &error)) {
    QL_LOG(u"Image of type %s refused: %s\n").AddArg(extension).AddArg(base::ToWide(error, base::kEncodingUtf8));
    return QL_FAIL;
  }
  width_ = image_.width;
  height_ = image_.height;
  return QL_OK;
}

QLResultEnum ImageDataDevil::Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) {
  if (image_.pixels.empty()) return QL_FAIL;
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* row = image_.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    std::memcpy(destination + static_cast<std::ptrdiff_t>(y) * pitch, row, static_cast<std::size_t>(width_) * 4);
    for (int x = 0; x < width_; ++x) {
      mask.Set(row[x] >> 24 >= kHitFrom, static_cast<std::uint32_t>(y) * width_ + static_cast<std::uint32_t>(x));
    }
  }
  return QL_OK;
}

}  // namespace render
