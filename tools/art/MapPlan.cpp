#include "tools/art/MapPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace art {

namespace {

constexpr int kGridCell = 8;

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27D4EB2Du) ^ (static_cast<std::uint32_t>(y) * 0x165667B1u);
  h ^= h >> 15;
  h *= 0x85EBCA77u;
  h ^= h >> 13;
  h *= 0xC2B2AE3Du;
  h ^= h >> 16;
  return h;
}

double Lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) { return Hash(x, y, seed) / 4294967295.0; }

double Smooth(double t) { return t * t * (3 - 2 * t); }

double Length(MapPoint p) { return std::hypot(p.x, p.y); }

bool Same(MapPoint a, MapPoint b) { return a.x == b.x && a.y == b.y; }

bool InPicture(MapPoint p, double margin) {
  return p.x > kMapLeft - margin && p.x < kMapLeft + kMapWidth + margin && p.y > -margin && p.y < kMapHeight + margin;
}

// A straight road from the point in the direction until well out of the
// picture; none when the direction is no direction.
std::optional<MapLink> RoadOut(MapPoint from, MapPoint direction) {
  const double length = Length(direction);
  if (length == 0 || !InPicture(from, 0)) return std::nullopt;
  direction = {direction.x / length, direction.y / length};
  double distance = 0;
  while (InPicture({from.x + direction.x * distance, from.y + direction.y * distance}, 40)) distance += 20;
  const MapPoint end{from.x + direction.x * distance, from.y + direction.y * distance};
  return MapLink{end, {(from.x + end.x) / 2, (from.y + end.y) / 2}, from};
}

}  // namespace

double MapRandom::Next() {
  // splitmix64
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) / 9007199254740992.0;
}

double ValueNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
  const double tx = Smooth(x - fx), ty = Smooth(y - fy);
  const double top = Lattice(ix, iy, seed) + (Lattice(ix + 1, iy, seed) - Lattice(ix, iy, seed)) * tx;
  const double bottom = Lattice(ix, iy + 1, seed) + (Lattice(ix + 1, iy + 1, seed) - Lattice(ix, iy + 1, seed)) * tx;
  return top + (bottom - top) * ty;
}

double Fbm(double x, double y, std::uint32_t seed, int octaves) {
  double sum = 0, weight = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * weight;
    total += weight;
    x *= 2.03;
    y *= 2.03;
    weight *= 0.5;
  }
  return sum / total;
}

std::vector<RoadStep> WalkLink(const MapLink& link, double spacing) {
  // The curve as a fine polyline, walked by its length.
  constexpr int kPieces = 256;
  std::vector<RoadStep> steps;
  double next = 0, travelled = 0;
  MapPoint previous = link.At(0);
  for (int i = 1; i <= kPieces; ++i) {
    const double t = static_cast<double>(i) / kPieces;
    const MapPoint here = link.At(t);
    const double piece = Length({here.x - previous.x, here.y - previous.y});
    while (next <= travelled + piece) {
      const double f = piece > 0 ? (next - travelled) / piece : 0;
      const double tAt = (i - 1 + f) / kPieces;
      MapPoint along = link.Tangent(tAt);
      const double length = Length(along);
      along = length > 0 ? MapPoint{along.x / length, along.y / length} : MapPoint{1, 0};
      steps.push_back({{previous.x + (here.x - previous.x) * f, previous.y + (here.y - previous.y) * f}, along});
      next += spacing;
    }
    travelled += piece;
    previous = here;
  }
  return steps;
}

MapPlan::MapPlan(const MapLevel& level) : level_(level), seed_(2166136261u) {
  for (char c : level.layout) seed_ = (seed_ ^ static_cast<unsigned char>(c)) * 16777619u;
  roads_ = level_.links;
  for (const MapLink& link : level_.links) {
    for (const MapPoint& spawn : level_.spawns) {
      const MapPoint back = link.Tangent(0);
      if (!Same(link.start, spawn)) continue;
      if (auto road = RoadOut(spawn, {-back.x, -back.y})) roads_.push_back(*road);
    }
    for (const MapPoint& goal : level_.goals)
      if (Same(link.end, goal))
        if (auto road = RoadOut(goal, link.Tangent(1))) roads_.push_back(*road);
  }
  for (const MapLink& link : roads_)
    for (const RoadStep& step : WalkLink(link, 4)) roadPoints_.push_back(step.at);

  gridColumns_ = kMapWidth / kGridCell + 2;
  gridRows_ = kMapHeight / kGridCell + 2;
  grid_.resize(static_cast<std::size_t>(gridColumns_) * gridRows_);
  for (int row = 0; row < gridRows_; ++row)
    for (int column = 0; column < gridColumns_; ++column)
      grid_[static_cast<std::size_t>(row) * gridColumns_ + column] =
          static_cast<float>(RoadDistance(kMapLeft + column * kGridCell, row * kGridCell));
}

double MapPlan::RoadDistance(double x, double y) const {
  double best = std::numeric_limits<double>::max();
  for (const MapPoint& p : roadPoints_) best = std::min(best, (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y));
  return std::sqrt(best);
}

double MapPlan::SpotDistance(double x, double y) const {
  double best = std::numeric_limits<double>::max();
  for (const MapSpot& spot : level_.spots)
    best = std::min(best, (spot.at.x - x) * (spot.at.x - x) + (spot.at.y - y) * (spot.at.y - y));
  return std::sqrt(best);
}

double MapPlan::CoarseRoadDistance(double x, double y) const {
  const double gx = std::clamp((x - kMapLeft) / kGridCell, 0.0, gridColumns_ - 1.001);
  const double gy = std::clamp(y / kGridCell, 0.0, gridRows_ - 1.001);
  const int cx = static_cast<int>(gx), cy = static_cast<int>(gy);
  const double tx = gx - cx, ty = gy - cy;
  auto at = [&](int c, int r) { return grid_[static_cast<std::size_t>(r) * gridColumns_ + c]; };
  const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * tx;
  const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * tx;
  return top + (bottom - top) * ty;
}

}  // namespace art
