#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Psd/PsdPixels.h"

namespace psd {

// Converts planes stored one after another, taken by position, as the
// composite image and patterns store them: the colour planes of the mode
// first and, when there is one more, the transparency after them.
void ConvertPsdPlanesByPosition(std::uint32_t colorMode, int depth, std::int64_t width, std::int64_t height,
                                std::span<const std::uint8_t> planes, std::int32_t planeCount,
                                const PsdIndexedColors& indexed, std::span<std::uint32_t> pixels);

}  // namespace psd
