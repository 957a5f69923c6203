#include "Game/AttributedString.h"

#include "Core/Render/Graphics.h"
#include "Game/OwnedPointers.h"

AttributedString::~AttributedString() { DeleteAllPointers(chunks_); }

void AttributedString::split() {
  DeleteAllPointers(chunks_);
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const auto image = images_.find(text_[i]);
    if (image == images_.end()) continue;
    if (i > runStart) chunks_.push_back(new AttributedStringChunk(text_.substr(runStart, i - runStart), font_.Get()));
    chunks_.push_back(new AttributedImageChunk(image->second));
    runStart = i + 1;
  }
  chunks_.push_back(new AttributedStringChunk(text_.substr(runStart), font_.Get()));
}

float AttributedString::width() const {
  float total = 0.0f;
  for (const AttributedChunk* chunk : chunks_) total += chunk->width();
  return total;
}

void AttributedString::draw(render::Graphics* graphics, const math::Transform2D& transform) const {
  if (!graphics) return;
  // The offsets are added after the transform, in screen units, so they
  // carry its scale.
  const float scale = transform.GetScale().x;
  float offset = -width() * 0.5f;
  if (font_) graphics->SetFont(font_.Get());
  for (AttributedChunk* chunk : chunks_) {
    math::Transform2D placed = transform;
    placed.Translate(offset * scale, 0.0f);
    chunk->draw(graphics, placed);
    offset += chunk->width();
  }
}
