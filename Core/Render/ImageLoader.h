#pragma once

#include <memory>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/Singletone.h"
#include "Core/Base/WString.h"
#include "Core/Render/ImageData.h"

namespace render {

// Picks the decoder for an image file by its extension.
class ImageLoader : public base::Singletone<ImageLoader> {
 public:
  // Null for an extension no decoder takes, and for a file its decoder
  // cannot load. Only ".xyz", the first four characters in lower case, count.
  // A layer of a decoded document is raw pixels of its description's size,
  // whatever the extension. maxSide is the device's longest texture side:
  // files that claim more are refused before they are decoded.
  std::unique_ptr<ImageData> CreateImageData(base::Stream& stream, const base::WString& extension, int maxSide,
                                             const base::ImageInfo* description = nullptr) const;
};

}  // namespace render
