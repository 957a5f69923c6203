#include "Game/AttributedChunk.h"

#include "Core/Render/Font.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"

void AttributedChunk::draw(render::Graphics*, const math::Transform2D&) {}

AttributedStringChunk::AttributedStringChunk(const base::WString& text, render::Font* font) : text_(text) {
  if (!font || text_.empty()) return;
  // The measure happens when the parameter goes, at the end of this block.
  auto measure = font->CreateTextParam(text_);
  measure->outWidth = &width_;
}

void AttributedStringChunk::draw(render::Graphics* graphics, const math::Transform2D& transform) {
  if (!graphics || !graphics->GetFont() || text_.empty()) return;
  auto draw = graphics->DrawText(text_);
  draw->anchorX = render::kAnchorLeft;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(transform);
}

AttributedImageChunk::AttributedImageChunk(render::Image* image) : image_(image) {
  if (image_) width_ = static_cast<float>(image_->GetWidth());
}

void AttributedImageChunk::draw(render::Graphics* graphics, const math::Transform2D& transform) {
  if (!graphics || !image_) return;
  auto draw = graphics->DrawImage(image_);
  draw->anchorX = render::kAnchorLeft;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(transform);
}
