#pragma once

#include "Core/Base/MathTransform2D.h"
#include "Core/Base/WString.h"

namespace render {
class Font;
class Graphics;
class Image;
}  // namespace render

// One run of a line of rich text: plain text or an inline image, drawn with
// its left edge and vertical middle on the transform's origin.
class AttributedChunk {
 public:
  virtual ~AttributedChunk() = default;
  virtual void draw(render::Graphics* graphics, const math::Transform2D& transform);

  float width() const { return width_; }

 protected:
  float width_ = 0.0f;
};

// Drawn in the Graphics' current font; measured in the font given here, which
// the owning string makes the current one before it draws.
class AttributedStringChunk : public AttributedChunk {
 public:
  // No font: the run has no width.
  AttributedStringChunk(const base::WString& text, render::Font* font);
  void draw(render::Graphics* graphics, const math::Transform2D& transform) override;

  const base::WString& text() const { return text_; }

 private:
  base::WString text_;
};

class AttributedImageChunk : public AttributedChunk {
 public:
  // A null image has no width and draws nothing.
  explicit AttributedImageChunk(render::Image* image);
  void draw(render::Graphics* graphics, const math::Transform2D& transform) override;

  render::Image* image() const { return image_; }

 private:
  render::Image* image_;
};
