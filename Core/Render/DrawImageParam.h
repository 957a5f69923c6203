#pragma once

#include <cstdint>

#include "Core/Render/DrawParam.h"
#include "Core/Render/GraphicsFriend.h"

namespace render {

class Graphics;
class Image;

// An image, or a region of it, as a textured quad whose anchor corner sits
// on the origin.
class DrawImageParam {
 public:
  // The whole image: source (0, 0) and the image's size.
  DrawImageParam(Graphics* graphics, Image* image);

  // Draws nothing for a null image or an empty region.
  QLResultEnum Draw(DrawParam* param);

  GraphicsFriend graphics;
  Image* image = nullptr;
  std::int32_t anchorX = kAnchorLeft;
  std::int32_t anchorY = kAnchorTop;
  bool flipX = false;
  bool flipY = false;
  float sourceX = 0.0f;
  float sourceY = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

}  // namespace render
