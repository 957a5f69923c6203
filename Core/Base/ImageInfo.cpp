#include "Core/Base/ImageInfo.h"

#include <utility>

namespace base {

ImageInfo::ImageInfo(WString name, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     std::int32_t opacity, std::int32_t index, bool drawable, bool fromDocument, float scale)
    : name(std::move(name)),
      opacity(opacity),
      index(index),
      drawable(drawable),
      fromDocument(fromDocument),
      scale(scale),
      rect{static_cast<float>(x) * scale, static_cast<float>(y) * scale, static_cast<float>(width) * scale,
           static_cast<float>(height) * scale} {}

}  // namespace base
