#pragma once

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Core/Render/DrawTextParam.h"
#include "Core/Render/DrawUntransformedParam.h"
#include "Core/Render/TextFormat.h"
#include "Core/Resource/Resource.h"

namespace render {

class Graphics;

// A font resource: its metrics, its glyph test, and text drawing.
class Font : public resource::Resource {
 public:
  // Distance from the top of a line to the baseline.
  virtual float GetBase() const { return base_; }
  virtual float GetDescent() const { return size_ - base_; }
  virtual float GetSize() const { return size_; }
  // From one line to the next, before the format's line spacing.
  virtual float GetLineAdvance() const { return size_ + lineGap_; }
  virtual float GetLineGap() const { return lineGap_; }

  // Lays the text out and stores its size in outSize when given; with a
  // Graphics it also draws, through the payload's vertex positioning. Without
  // a Graphics it only measures.
  virtual QLResultEnum DrawText(Graphics* g, DrawTextParam* param, const base::WString& text,
                                const TextFormat& format, float outSize[2]) = 0;
  virtual bool HasGlyph(char16_t character) const = 0;

  // A text draw without a Graphics: when it goes it only lays the text out
  // and fills its out width, height and bounds. The text must outlive it.
  DrawUntransformedParam<DrawTextParam> CreateTextParam(const base::WString& text);

 protected:
  float base_ = 0.0f;
  float size_ = 0.0f;
  float lineGap_ = 0.0f;
};

}  // namespace render
