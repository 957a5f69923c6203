#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace psd {

// The planes of one image, picked by the caller, each width x height samples
// at the depth (rows of a bitmap plane start on a byte boundary). A missing
// colour plane reads as 0; a missing alpha plane makes the image opaque.
struct PsdPlanes {
  std::int64_t width = 0;
  std::int64_t height = 0;
  int depth = 8;
  const std::uint8_t* alpha = nullptr;
  const std::uint8_t* color[4] = {};
};

// How an indexed image finds its colours. A value at or above colorCount, or
// equal to transparentIndex, is transparent white; without a test every
// value names an opaque palette entry.
struct PsdIndexedColors {
  const std::vector<std::uint32_t>* palette = nullptr;
  std::int32_t colorCount = 0;
  std::int32_t transparentIndex = -1;
  bool test = true;
};

// Fills pixels (width x height, zero-filled by the caller) from the planes by
// colour mode. Multichannel reads the black plane from color[3] and counts no
// black ink without one. Combinations of mode and depth that no writer
// produces leave the pixels as they were.
void ConvertPsdPlanes(std::uint32_t colorMode, const PsdPlanes& planes, const PsdIndexedColors& indexed,
                      std::span<std::uint32_t> pixels);

// One CMYK pixel from stored (inverted) ink values.
std::uint32_t ConvertPsdCmyk(std::uint8_t alpha, std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k);

}  // namespace psd
