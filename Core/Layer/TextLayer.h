#pragma once

#include <cstdint>

#include "Core/Base/WString.h"
#include "Core/Layer/Layer.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/Font.h"
#include "Core/Render/TextFormat.h"
#include "Core/Resource/ResourceHandle.h"

namespace layer {

// One text in a bitmap font, anchored at the layer's origin. Any point inside
// the text's box hits it.
class TextLayer : public Layer {
 public:
  TextLayer(const resource::ResourceHandle<render::Font>& font, const base::WString& text, float boxWidth,
            float firstLineIndent, std::uint32_t alignment, bool justifySingleWords);

  const base::WString& GetText() const { return text_; }
  void SetText(const base::WString& text);
  render::TextFormat& GetFormat() { return format_; }
  void SetAnchor(std::int32_t anchorX, std::int32_t anchorY);
  void SetAlignToMeasuredWidth(bool align) { alignToMeasuredWidth_ = align; }

  QLResultEnum Draw(render::Graphics* graphics) override;
  void UpdateLocalBounds() override;
  bool HitTestPoint(const math::Point3& local) const override;
  // Moves the layer so that the top-left corner of its text lands on whole
  // pixels.
  void SnapToPixel();

 private:
  // The anchored text box in the layer's space; empty without text.
  math::AABB Measure() const;

  resource::ResourceHandle<render::Font> font_;
  base::WString text_;
  render::TextFormat format_;
  std::int32_t anchorX_ = render::kAnchorLeft;
  std::int32_t anchorY_ = render::kAnchorTop;
  bool alignToMeasuredWidth_ = true;
};

}  // namespace layer
