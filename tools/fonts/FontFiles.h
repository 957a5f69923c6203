#pragma once

#include <string>

#include "GlyphAtlas.h"

namespace fonts {

// Writes base + "_<page>.png" for every page (white, the glyphs in alpha)
// and base + ".fnt", the BMFont XML description that names them.
bool WriteFont(const GlyphAtlas& atlas, const std::string& basePath);

}  // namespace fonts
