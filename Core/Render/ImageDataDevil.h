#pragma once

#include <vector>

#include "Core/Render/ImageData.h"
#include "Platform/ImageDecoder.h"

namespace render {

// BMP, JPEG, GIF, PNG and TGA files, decoded whole on Load.
class ImageDataDevil : public ImageData {
 public:
  // Files of more than maxSide pixels on a side are refused undecoded.
  ImageDataDevil(platform::ImageType type, int maxSide) : type_(type), maxSide_(maxSide) {}

  QLResultEnum Load(base::Stream& stream, const base::WString& extension) override;
  QLResultEnum Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) override;

 private:
  platform::ImageType type_;
  int maxSide_;
  platform::DecodedImage image_;
};

}  // namespace render
