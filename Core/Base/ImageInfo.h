#pragma once

#include <cstdint>

#include "Core/Base/MathRect.h"
#include "Core/Base/WString.h"

namespace base {

// One layer of a layered layout: where it goes, how opaque it is and where
// its pixels come from.
class ImageInfo {
 public:
  ImageInfo() = default;
  // The rectangle is given in source pixels and stored multiplied by scale.
  ImageInfo(WString name, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t opacity,
            std::int32_t index, bool drawable, bool fromDocument, float scale);
  ImageInfo(const ImageInfo&) = default;
  ImageInfo& operator=(const ImageInfo&) = default;
  ImageInfo(ImageInfo&&) = default;
  ImageInfo& operator=(ImageInfo&&) = default;
  virtual ~ImageInfo() = default;

  // Group names and the layer's own name joined by "/".
  WString name;
  std::int32_t opacity = 255;
  // The layer's position in its source.
  std::int32_t index = 0;
  // False for the box and centre markers of a document: a rectangle, no image.
  bool drawable = true;
  bool fromDocument = false;
  bool inAtlas = false;
  WString atlasPath;
  math::Rect atlasRect{0.0f, 0.0f, 1.0f, 1.0f};
  float scale = 1.0f;
  math::Rect rect;
};

}  // namespace base
