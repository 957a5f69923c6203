#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace psd {

struct PsdContourPoint {
  std::uint8_t x = 0;  // input
  std::uint8_t y = 0;  // output
  bool corner = false;
};

// A shape curve as a table from input to output level.
struct PsdContour {
  std::array<std::uint8_t, 256> table{};
  std::uint8_t antiAlias = 0;
};

// The identity, which a contour without points keeps.
PsdContour DefaultPsdContour();
// Fills the table from the points (ordered by input) along a Catmull-Rom
// spline; corner points end the smoothing on their side.
void BuildPsdContourTable(std::span<const PsdContourPoint> points, std::array<std::uint8_t, 256>& table);

}  // namespace psd
