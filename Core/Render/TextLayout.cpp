#include "Core/Render/TextLayout.h"

#include <cmath>

namespace render {

float KerningAt(const base::WString& text, std::size_t index, const BMFontGlyph& glyph) {
  const char16_t previous = index > 0 ? text[index - 1] : u'\0';
  return previous == u'\0' ? 0.0f : glyph.KerningAfter(previous);
}

namespace {

// Walks the text once, keeping the line being filled and the last place it
// may be broken at: the first space after the last complete word.
class LineBreaker {
 public:
  LineBreaker(const base::WString& text, const TextFormat& format, TextLines* lines)
      : text_(text), format_(format), lines_(lines) {
    StartParagraph(0);
  }

  void Run(const TextGlyphs& glyphs) {
    for (std::size_t i = 0; i < text_.size(); ++i) {
      const char16_t c = text_[i];
      if (c == format_.lineBreak) {
        CloseParagraphLine(i);
        StartParagraph(i + 1);
        continue;
      }
      const BMFontGlyph* glyph = glyphs.Find(c);
      if (!glyph) continue;
      if (IsTextSpace(c)) {
        AddSpace(i, *glyph);
      } else {
        AddCharacter(i, *glyph);
      }
    }
    // An indent alone does not make a line: "a\n" has one line with or
    // without one.
    const float width = inSpaces_ ? committed_ + word_ : spaceRun_ + committed_ + word_;
    if (width - ParagraphIndent() > 0.0f) CloseParagraphLine(text_.size());
  }

 private:
  void StartParagraph(std::size_t start) {
    lineStart_ = breakAt_ = wordStart_ = start;
    committed_ = spaceRun_ = 0.0f;
    word_ = format_.firstLineIndent;
    inSpaces_ = false;
    paragraphStart_ = true;
    spaceCount_ = spacesBeforeBreak_ = 0;
  }

  float ParagraphIndent() const { return paragraphStart_ ? format_.firstLineIndent : 0.0f; }

  void Close(std::size_t end, float width, std::uint32_t spaces, bool justifiable) {
    TextLine line;
    line.width = width;
    line.first = static_cast<std::uint32_t>(lineStart_);
    line.count = static_cast<std::uint32_t>(end - lineStart_);
    line.spaceCount = spaces;
    line.xOffset = ParagraphIndent();
    line.justifiable = justifiable;
    lines_->PushBack(line);
  }

  // The end of a paragraph: spaces before it are dropped with their width.
  void CloseParagraphLine(std::size_t end) {
    if (inSpaces_) {
      Close(breakAt_, committed_ + word_, 0, false);
    } else {
      Close(end, spaceRun_ + committed_ + word_, 0, false);
    }
  }

  void AddSpace(std::size_t i, const BMFontGlyph& glyph) {
    if (!inSpaces_) {
      committed_ += spaceRun_ + word_;
      breakAt_ = i;
      spacesBeforeBreak_ = spaceCount_;
      spaceRun_ = 0.0f;
      word_ = 0.0f;
    }
    spaceRun_ += glyph.xAdvance + format_.characterSpacing;
    inSpaces_ = true;
    ++spaceCount_;
  }

  void AddCharacter(std::size_t i, const BMFontGlyph& glyph) {
    if (inSpaces_) {
      inSpaces_ = false;
      wordStart_ = i;
    }
    const float step = KerningAt(text_, i, glyph) + glyph.xAdvance + format_.characterSpacing;
    word_ += step;
    while (format_.boxWidth > 0.0f && spaceRun_ + committed_ + word_ > format_.boxWidth) {
      if (breakAt_ == lineStart_) {
        // A character wider than the box on its own stays where it is.
        if (i == lineStart_) return;
        // The line is one word: break it before this character, which then
        // opens the next line with its kerning, as it is drawn.
        Close(i, spaceRun_ + committed_ + word_ - step, spaceCount_, true);
        lineStart_ = breakAt_ = wordStart_ = i;
        word_ = step;
      } else {
        // The spaces at the break belong to neither line.
        Close(breakAt_, committed_, spacesBeforeBreak_, true);
        lineStart_ = breakAt_ = wordStart_;
      }
      committed_ = spaceRun_ = 0.0f;
      spaceCount_ = spacesBeforeBreak_ = 0;
      paragraphStart_ = false;
    }
  }

  const base::WString& text_;
  const TextFormat& format_;
  TextLines* lines_;
  std::size_t lineStart_ = 0;
  std::size_t breakAt_ = 0;  // where the line may end: the spaces after its last whole word
  std::size_t wordStart_ = 0;
  float committed_ = 0.0f;  // width of the line up to the break position
  float spaceRun_ = 0.0f;
  float word_ = 0.0f;
  bool inSpaces_ = false;
  bool paragraphStart_ = true;
  std::uint32_t spaceCount_ = 0;
  std::uint32_t spacesBeforeBreak_ = 0;
};

}  // namespace

void LayoutLines(const base::WString& text, const TextFormat& format, const TextGlyphs& glyphs, TextLines* lines) {
  LineBreaker(text, format, lines).Run(glyphs);
}

TextLinePlacement PlaceLine(const TextLine& line, float width, const TextFormat& format) {
  TextLinePlacement placement;
  const float room = width - line.width;
  switch (format.alignment) {
    case kAlignRight:
      placement.penX = room;
      break;
    case kAlignCenter:
      placement.penX = std::ceil(room * 0.5f) + line.xOffset;
      break;
    case kAlignJustify:
      placement.penX = line.xOffset;
      if (!line.justifiable) break;
      if (line.spaceCount > 0) {
        placement.extraPerSpace = room / static_cast<float>(line.spaceCount);
      } else if (format.justifySingleWords && line.count > 1) {
        placement.extraPerCharacter = room / static_cast<float>(line.count - 1);
      }
      break;
    default:
      placement.penX = line.xOffset;
      break;
  }
  return placement;
}

}  // namespace render
