#pragma once

#include "Core/Render/ImageData.h"

namespace render {

// DirectDraw surface files: DXT1/DXT3/DXT5 blocks, which reach the device
// compressed, or 32-bit A8R8G8B8 pixels. Every other layout is refused.
class ImageDataDDS : public ImageData {
 public:
  QLResultEnum Load(base::Stream& stream, const base::WString& extension) override;
  QLResultEnum Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) override;
  QLResultEnum DecodeLevel(int level, int pitch, std::uint8_t* destination) override;

 private:
  QLResultEnum ReadLevel(int width, int height, int pitch, std::uint8_t* destination);

  base::Stream* stream_ = nullptr;
};

}  // namespace render
