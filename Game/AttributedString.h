#pragma once

#include <map>
#include <vector>

#include "Core/Base/MathTransform2D.h"
#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"
#include "Core/Render/Font.h"
#include "Core/Resource/ResourceHandle.h"
#include "Game/AttributedChunk.h"

namespace render {
class Graphics;
class Image;
}  // namespace render

// One centred line of rich text in which mapped characters become inline
// images: the tower menu's prices, where '$' stands for the money icon and
// '#' for the gem icon. The owner sets the text, the font and the images,
// then splits the text into chunks before drawing it.
class AttributedString : base::NoCopy {
 public:
  AttributedString() = default;
  ~AttributedString();

  void setText(const base::WString& text) { text_ = text; }
  const base::WString& text() const { return text_; }
  void setFont(const resource::ResourceHandle<render::Font>& font) { font_ = font; }
  // The image is not owned; a null image makes the character an empty chunk.
  void setImage(base::WChar character, render::Image* image) { images_[character] = image; }

  // Rebuilds the chunks from the text: runs of plain text, and an image for
  // every mapped character. The text after the last image always ends the
  // list as a text chunk, even when it is empty.
  void split();

  // Draws the chunks in one line centred on the transform's origin, the
  // images on the text's middle line. The line runs along the screen's x
  // axis: the transform may move and scale it, not rotate it.
  void draw(render::Graphics* graphics, const math::Transform2D& transform) const;

  float width() const;
  const std::vector<AttributedChunk*>& chunks() const { return chunks_; }

 private:
  base::WString text_;
  std::vector<AttributedChunk*> chunks_;
  resource::ResourceHandle<render::Font> font_;
  std::map<base::WChar, render::Image*> images_;
};
