#include "Psd/PsdContour.h"

#include <algorithm>

namespace psd {

namespace {

constexpr int kSteps = 512;

int RoundToLevel(double value) { return std::clamp(static_cast<int>(std::clamp(value, -1.0, 256.0) + 0.5), 0, 255); }

// One cubic coordinate of the Catmull-Rom segment from p1 to p2, advanced by
// forward differences.
struct ForwardCubic {
  double value, first, second, third;
  ForwardCubic(double p0, double p1, double p2, double p3) {
    const double a = 0.5 * (-p0 + 3 * p1 - 3 * p2 + p3);
    const double b = 0.5 * (2 * p0 - 5 * p1 + 4 * p2 - p3);
    const double c = 0.5 * (-p0 + p2);
    const double h = 1.0 / kSteps;
    value = p1;
    first = a * h * h * h + b * h * h + c * h;
    second = 6 * a * h * h * h + 2 * b * h * h;
    third = 6 * a * h * h * h;
  }
  void Advance() {
    value += first;
    first += second;
    second += third;
  }
};

}  // namespace

PsdContour DefaultPsdContour() {
  PsdContour contour;
  for (std::size_t i = 0; i < contour.table.size(); ++i) {
    contour.table[i] = static_cast<std::uint8_t>(i);
  }
  return contour;
}

void BuildPsdContourTable(std::span<const PsdContourPoint> points, std::array<std::uint8_t, 256>& table) {
  if (points.empty()) {
    table = DefaultPsdContour().table;
    return;
  }
  const std::size_t last = points.size() - 1;
  std::fill(table.begin(), table.begin() + points[0].x, points[0].y);
  std::fill(table.begin() + points[last].x, table.end(), points[last].y);
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const std::size_t before = k == 0 || points[k].corner ? k : k - 1;
    const std::size_t after = k + 1 == last || points[k + 1].corner ? k + 1 : k + 2;
    ForwardCubic x(points[before].x, points[k].x, points[k + 1].x, points[after].x);
    ForwardCubic y(points[before].y, points[k].y, points[k + 1].y, points[after].y);
    int previousX = points[k].x;
    int previousY = points[k].y;
    table[static_cast<std::size_t>(previousX)] = static_cast<std::uint8_t>(previousY);
    for (int step = 0; step < kSteps; ++step) {
      x.Advance();
      y.Advance();
      const int levelX = RoundToLevel(x.value);
      const int levelY = RoundToLevel(y.value);
      if (levelX != previousX || levelY != previousY) {
        table[static_cast<std::size_t>(levelX)] = static_cast<std::uint8_t>(levelY);
        previousX = levelX;
        previousY = levelY;
      }
    }
  }
  for (const PsdContourPoint& point : points) {
    table[point.x] = point.y;
  }
}

}  // namespace psd
