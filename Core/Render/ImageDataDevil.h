#pragma once

#include <vector>

#include "Core/Render/ImageData.h"
#include "Platform/ImageDecoder.h"

namespace render {

// BMP, JPEG, GIF, PNG and TGA files, decoded whole on Load.
class ImageDataDevil : public ImageData {
 public:
  explicit ImageDataDevil(platform::ImageType type) : type_(type) {}

  QLResultEnum Load(base::Stream& stream, const base::WString& extension) override;
  QLResultEnum Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) override;

 private:
  platform::ImageType type_;
  platform::DecodedImage image_;
};

}  // namespace render
