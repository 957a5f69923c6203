#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Core/Render/BMFontGlyph.h"
#include "Core/Render/Font.h"
#include "Core/Render/GraphicsFriend.h"
#include "Core/Render/TextLayout.h"

namespace base {
class Stream;
}

namespace render {

class Image;
class Render;

// A bitmap font in the BMFont XML format: glyph rectangles on page images
// that carry the glyphs in their alpha channel.
class BMFont : public Font {
 public:
  BMFont();
  ~BMFont() override;

  QLResultEnum Release() override;

  // The Render that makes the page images; set before loading.
  void SetRender(Render* render) { render_ = render; }

  // Reads a whole font description. The font's name gives the folder that
  // the page files are relative to.
  QLResultEnum LoadXml(base::Stream& stream);

  QLResultEnum DrawText(Graphics* g, DrawTextParam* param, const base::WString& text, const TextFormat& format,
                        float outSize[2]) override;
  bool HasGlyph(char16_t character) const override { return glyphs_.count(character) != 0; }

  const BMFontGlyphMap& GetGlyphs() const { return glyphs_; }
  std::size_t GetPageCount() const { return pages_.size(); }
  float GetLineHeight() const { return lineHeight_; }
  const std::string& GetFace() const { return face_; }

 protected:
  // Opens the name plus ".fnt".
  QLResultEnum DoLoad() override;
  // Drops the page images; the glyphs stay.
  QLResultEnum DoUnload() override;

 private:
  struct PageRun {
    std::uint32_t count = 0;
    std::uint32_t page = 0;
  };
  static constexpr std::size_t kPageRunsInPlace = 256;
  using PageRuns = TextLayoutList<PageRun, kPageRunsInPlace>;

  class XmlReader;
  class Batch;

  // The glyph that gets a quad: not for spaces, and only on a page that was
  // loaded. The page runs and the drawing both ask this, so that the quads
  // drawn are exactly the quads reserved.
  const BMFontGlyph* QuadGlyph(char16_t character, const TextGlyphs& glyphs) const;
  void GroupByPage(const base::WString& text, const TextLines& lines, const TextGlyphs& glyphs,
                   PageRuns* runs) const;
  const BMFontGlyph* FallbackGlyph(const TextFormat& format) const;
  QLResultEnum DrawLines(Graphics& g, DrawTextParam* param, const base::WString& text, const TextFormat& format,
                         const TextGlyphs& glyphs, const TextLines& lines, float width);

  GraphicsFriend friend_;
  Render* render_ = nullptr;
  std::string face_;
  bool bold_ = false;
  bool italic_ = false;
  std::string charset_;
  float stretchHeight_ = 0.0f;
  bool smooth_ = false;
  std::uint32_t antiAliasing_ = 0;
  std::array<int, 4> padding_{};  // up, right, down, left
  std::array<float, 2> spacing_{};
  std::uint32_t outline_ = 0;
  float lineHeight_ = 0.0f;
  float pageWidth_ = 0.0f;
  float pageHeight_ = 0.0f;
  BMFontGlyphMap glyphs_;
  std::vector<std::unique_ptr<Image>> pages_;
  float penOriginY_ = 0.0f;
  float fontScale_ = 1.0f;
  float appScale_ = 1.0f;
};

}  // namespace render
