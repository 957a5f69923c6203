#pragma once

#include <cstdint>

#include "Core/Base/MathAABB.h"
#include "Core/Base/WString.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/GraphicsFriend.h"
#include "Core/Render/TextFormat.h"

namespace render {

class Font;
class Graphics;

// A text in a font. Without a Graphics the draw only lays the text out and
// measures it.
class DrawTextParam {
 public:
  // The text is the caller's and must outlive the draw.
  DrawTextParam(Graphics* graphics, const base::WString* text, Font* font, const TextFormat& format = {});
  DrawTextParam(const DrawTextParam& other) { Assign(other); }
  DrawTextParam& operator=(const DrawTextParam&) = delete;

  // Takes every field of the other payload, its Graphics and out values
  // included, but what its draw left behind: a copy has measured nothing yet
  // and is not drawing.
  DrawTextParam& Assign(const DrawTextParam& other);

  QLResultEnum Draw(DrawParam* param);
  // For the font, over every batch of glyph vertices: the anchor offset, the
  // drawing parameter's transform and the Graphics transform.
  QLResultEnum PositionVertices(void* vertices, const VertexFormat& format, std::uint32_t count);

  GraphicsFriend graphics;
  const base::WString* text = nullptr;
  Font* font = nullptr;
  TextFormat format;
  std::int32_t anchorX = kAnchorLeft;
  std::int32_t anchorY = kAnchorTop;
  // Width and height. The font fills them before it places any glyph, so
  // that the anchors already move the first batch.
  float measuredSize[2] = {0.0f, 0.0f};
  DrawParam* currentParam = nullptr;
  float* outWidth = nullptr;
  float* outHeight = nullptr;
  math::AABB* outBounds = nullptr;

 private:
  QLResultEnum StoreBounds();
};

}  // namespace render
