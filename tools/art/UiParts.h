#pragma once

#include <filesystem>

#include "tools/art/Layout.h"

namespace art {

// "kp/data/ui_parts": the group "ui" of icons, badges, bars and rings, the
// build-spot pictures "spots", and the looping markers and spell effects.
void AddUiParts(Layout& layout);

// The plain images of the data set (ammunition, spell icons and their dimmed
// pairs, flying units' shadows, the income icon, the loading picture), as PNG
// files under root.
bool WritePlainImages(const std::filesystem::path& root);

}  // namespace art
