#pragma once

#include "Core/Render/ImageData.h"

namespace render {

// The pixels of a layer of a decoded layered document: 32-bit ARGB words,
// row after row, of the size the layer's description gives.
class ImageDataRaw : public ImageData {
 public:
  ImageDataRaw(int width, int height);

  QLResultEnum Load(base::Stream& stream, const base::WString& extension) override;
  QLResultEnum Decode(int pitch, std::uint8_t* destination, AlphaHitMask& mask) override;

 private:
  base::Stream* stream_ = nullptr;
};

}  // namespace render
