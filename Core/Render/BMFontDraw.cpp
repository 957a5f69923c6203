#include <algorithm>

#include "Core/Render/BMFont.h"
#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/DrawTextParam.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/PrimitiveType.h"
#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Vertices.h"

namespace render {

namespace {

using VertexRange = BufferDoubleCache<VertexBuffer<SVertex2D>>::Range;
using IndexRange = Render::IndexCache16::Range;

}  // namespace

// The glyph quads of one page run, filled while the lines are walked and
// drawn when the run is used up.
class BMFont::Batch {
 public:
  Batch(BMFont& font, Graphics& g, DrawTextParam* param)
      : font_(font), g_(g), param_(param), diffuse_(g.GetPackedColor()), specular_(g.GetTintSpecular()) {}

  // Takes the vertices and indices of the next run from the Render's caches.
  QLResultEnum Start(const PageRun& run) {
    page_ = font_.pages_[run.page].get();
    pageWidth_ = static_cast<float>(page_->GetWidth()) * font_.appScale_;
    pageHeight_ = static_cast<float>(page_->GetHeight()) * font_.appScale_;
    left_ = run.count;
    used_ = 0;
    auto* vertexCache = VertexCacheOf<SVertex2D>(g_.GetRender());
    Render::IndexCache16* indexCache = g_.GetRender().GetIndexCache16();
    if (!vertexCache || !indexCache) return QL_FAIL;
    if (const QLResultEnum result = vertexCache->Allocate(4 * run.count, &vertices_, &vertexRange_);
        result != QL_OK) {
      return result;
    }
    if (const QLResultEnum result = CheckIndexRange16(vertexRange_.first, 4 * run.count); result != QL_OK) {
      return result;
    }
    return indexCache->Allocate(6 * run.count, &indices_, &indexRange_);
  }

  bool IsUsedUp() const { return left_ == 0; }
  bool IsStarted() const { return page_ != nullptr; }

  void Add(const BMFontGlyph& glyph, float x, float y) {
    const float x1 = x + glyph.width / font_.fontScale_;
    const float y1 = y + glyph.height / font_.fontScale_;
    const float u0 = glyph.x / pageWidth_;
    const float v0 = glyph.y / pageHeight_;
    const float u1 = (glyph.x + glyph.width) / pageWidth_;
    const float v1 = (glyph.y + glyph.height) / pageHeight_;
    FillQuad({x, y, x1, y1}, {u0, v0, u1, v1}, diffuse_, specular_, vertexRange_.first + 4 * used_,
             vertices_ + 4 * used_, indices_ + 6 * used_);
    ++used_;
    --left_;
  }

  QLResultEnum Flush(ShaderTextured& shader) {
    const VertexFormat& format = SVertex2D::Format();
    const std::uint32_t vertexCount = 4 * used_;
    const GraphicsFriend& graphics = font_.friend_;
    QLResultEnum result = page_->MapTexCoords(vertices_, vertexCount, 0, format);
    if (result == QL_OK) {
      result = param_ ? param_->PositionVertices(vertices_, format, vertexCount)
                      : graphics.ApplyTransform(vertices_, format, vertexCount);
    }
    if (result == QL_OK) result = graphics.ApplyHalfPixelOffset(vertices_, format, vertexCount);
    if (result == QL_OK) result = shader.SetImage(page_);
    if (result != QL_OK) return result;
    font_.friend_.SetVertexBuffer(vertexRange_.buffer->GetImpl());
    font_.friend_.SetIndexBuffer(indexRange_.buffer->GetImpl());
    if (const QLResultEnum applied = graphics.ApplyState(); applied != QL_OK) return applied;
    return g_.GetRender().DrawIndexedPrimitive(kTriangleList, indexRange_.first, 2 * used_, vertexRange_.first,
                                               vertexCount);
  }

 private:
  BMFont& font_;
  Graphics& g_;
  DrawTextParam* param_;
  const std::uint32_t diffuse_;
  const std::uint32_t specular_;
  Image* page_ = nullptr;
  float pageWidth_ = 1.0f;
  float pageHeight_ = 1.0f;
  std::uint32_t left_ = 0;
  std::uint32_t used_ = 0;
  SVertex2D* vertices_ = nullptr;
  VertexRange vertexRange_;
  std::uint16_t* indices_ = nullptr;
  IndexRange indexRange_;
};

QLResultEnum BMFont::DrawText(Graphics* g, DrawTextParam* param, const base::WString& text, const TextFormat& format,
                              float outSize[2]) {
  if (!g && !outSize) return QL_OK;
  const TextGlyphs glyphs{glyphs_, FallbackGlyph(format)};
  TextLines lines;
  LayoutLines(text, format, glyphs, &lines);

  float width = 0.0f;
  for (std::size_t l = 0; l < lines.Size(); ++l) width = std::max(width, lines[l].width);
  if (!format.alignToMeasuredWidth && format.boxWidth > 0.0f) width = format.boxWidth;
  const float height = lines.Size() <= 1 ? size_
                                         : (GetLineAdvance() + format.lineSpacing) *
                                                   static_cast<float>(lines.Size() - 1) +
                                               size_;
  if (outSize) {
    outSize[0] = width;
    outSize[1] = height;
  }
  if (!g || lines.Empty()) return QL_OK;

  friend_.Attach(g);
  const QLResultEnum result = DrawLines(*g, param, text, format, glyphs, lines, width);
  // The Graphics lives for one pass only; the font keeps no pointer to it.
  friend_.Attach(nullptr);
  return result;
}

QLResultEnum BMFont::DrawLines(Graphics& g, DrawTextParam* param, const base::WString& text, const TextFormat& format,
                               const TextGlyphs& glyphs, const TextLines& lines, float width) {
  PageRuns runs;
  GroupByPage(text, lines, glyphs, &runs);
  if (runs.Empty()) return QL_OK;
  ShaderTextured* shader = g.GetTexturedShader();
  if (!shader) return QL_FAIL;
  friend_.SetShader(shader->GetImplementation());
  if (const QLResultEnum result = friend_.SetProjection(*shader); result != QL_OK) return result;

  Batch batch(*this, g, param);
  std::size_t nextRun = 0;
  float penY = penOriginY_;
  for (std::size_t l = 0; l < lines.Size(); ++l) {
    const TextLine& line = lines[l];
    const TextLinePlacement placement = PlaceLine(line, width, format);
    float penX = placement.penX;
    for (std::uint32_t i = line.first; i < line.first + line.count; ++i) {
      const char16_t c = text[i];
      const BMFontGlyph* glyph = glyphs.Find(c);
      if (!glyph) continue;
      if (IsTextSpace(c)) {
        penX += glyph->xAdvance + format.characterSpacing + placement.extraPerSpace;
        continue;
      }
      penX += KerningAt(text, i, *glyph);
      // A glyph on a page that did not load keeps its room but gets no quad,
      // as the page runs counted it.
      if (QuadGlyph(c, glyphs)) {
        if (!batch.IsStarted() || batch.IsUsedUp()) {
          if (batch.IsStarted()) {
            if (const QLResultEnum result = batch.Flush(*shader); result != QL_OK) return result;
          }
          if (nextRun >= runs.Size()) return QL_FAIL;
          if (const QLResultEnum result = batch.Start(runs[nextRun++]); result != QL_OK) return result;
        }
        batch.Add(*glyph, penX + glyph->xOffset, penY + glyph->yOffset);
      }
      penX += glyph->xAdvance + format.characterSpacing + placement.extraPerCharacter;
    }
    penY += GetLineAdvance() + format.lineSpacing;
  }
  return batch.IsStarted() ? batch.Flush(*shader) : QL_OK;
}

}  // namespace render
