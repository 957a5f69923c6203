#include "Core/Render/Font.h"

namespace render {

DrawUntransformedParam<DrawTextParam> Font::CreateTextParam(const base::WString& text) {
  return DrawUntransformedParam<DrawTextParam>(DrawTextParam(nullptr, &text, this));
}

}  // namespace render
