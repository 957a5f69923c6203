#include "Core/Layer/TextLayer.h"

#include <cmath>

#include "Core/Layer/LayerDrawState.h"
#include "Core/Render/Graphics.h"

namespace layer {

TextLayer::TextLayer(const resource::ResourceHandle<render::Font>& font, const base::WString& text, float boxWidth,
                     float firstLineIndent, std::uint32_t alignment, bool justifySingleWords)
    : font_(font), text_(text) {
  format_.boxWidth = boxWidth;
  format_.firstLineIndent = firstLineIndent;
  format_.alignment = alignment;
  format_.justifySingleWords = justifySingleWords;
  alignToMeasuredWidth_ = format_.alignToMeasuredWidth;
  SetOwnExtent(true);
  MarkLocalBoundsStale();
}

void TextLayer::SetText(const base::WString& text) {
  text_ = text;
  MarkLocalBoundsStale();
}

void TextLayer::SetAnchor(std::int32_t anchorX, std::int32_t anchorY) {
  anchorX_ = anchorX;
  anchorY_ = anchorY;
  MarkLocalBoundsStale();
}

QLResultEnum TextLayer::Draw(render::Graphics* graphics) {
  if (!font_ || text_.empty() || !graphics) return QL_OK;
  LayerDrawState state(*graphics, *this, GetEffectiveAlpha(),
                       IsAdditive() ? render::kBlendAdditive : render::kBlendAlpha);
  graphics->SetFont(font_.Get());
  auto draw = graphics->DrawText(text_);
  draw->format = format_;
  draw->format.alignToMeasuredWidth = alignToMeasuredWidth_;
  draw->anchorX = anchorX_;
  draw->anchorY = anchorY_;
  return QL_OK;
}

math::AABB TextLayer::Measure() const {
  math::AABB box = EmptyBox();
  if (!font_ || text_.empty()) return box;
  {
    // The measure happens when the parameter goes, at the end of this block.
    auto measure = font_->CreateTextParam(text_);
    measure->format = format_;
    measure->format.alignToMeasuredWidth = alignToMeasuredWidth_;
    measure->anchorX = anchorX_;
    measure->anchorY = anchorY_;
    measure->outBounds = &box;
  }
  return box;
}

void TextLayer::UpdateLocalBounds() { LocalBounds() = Measure(); }

bool TextLayer::HitTestPoint(const math::Point3&) const { return true; }

void TextLayer::SnapToPixel() {
  const math::AABB box = Measure();
  if (IsEmptyBox(box)) return;
  const math::Point3& position = GetPosition();
  const float x = std::floor(position.x + box.min.x) - box.min.x;
  const float y = std::floor(position.y + box.min.y) - box.min.y;
  if (x != position.x) SetX(x);
  if (y != position.y) SetY(y);
}

}  // namespace layer
