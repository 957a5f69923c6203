#pragma once

#include <cstdint>

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace base {
class Stream;
}

namespace render {

class AlphaHitMask;

enum class ImageCompression { kNone, kDxt1, kDxt3, kDxt5 };

// A decoder for one image file: Load reads what it needs to know the size,
// Decode writes the pixels into a locked texture level.
class ImageData : base::NoCopy {
 public:
  virtual ~ImageData() = default;

  // The stream must outlive the decoder: decoders may read it on Decode.
  virtual QLResultEnum Load(base::Stream& stream, const base::WString& extension) = 0;
  // Writes the first level (rows, or rows of 4x4 blocks, pitch bytes apart)
  // and sets every bit of the mask, which holds width * height bits.
  virtual QLResultEnum Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) = 0;
  // Levels after the first, asked for in order once Decode succeeded. Only
  // files that carry levels of their own have any.
  virtual QLResultEnum DecodeLevel(int level, int pitch, std::uint8_t* destination);

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetLevelCount() const { return levels_; }
  ImageCompression GetCompression() const { return compression_; }
  std::uint32_t GetByteSize() const { return static_cast<std::uint32_t>(width_) * static_cast<std::uint32_t>(height_) * 4; }

 protected:
  int width_ = 0;
  int height_ = 0;
  int levels_ = 1;
  ImageCompression compression_ = ImageCompression::kNone;
};

}  // namespace render
