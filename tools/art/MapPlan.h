#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/MapLevel.h"

namespace art {

// The picture of a map covers the whole window: the 1024-wide design area and
// 171 units on either side of it.
constexpr int kMapLeft = -171;
constexpr int kMapWidth = 1366;
constexpr int kMapHeight = 768;
// The roads are about this wide.
constexpr double kRoadWidth = 64;

// A seeded generator whose numbers are the same on every system, so a map is
// drawn again exactly from its level file.
class MapRandom {
 public:
  explicit MapRandom(std::uint64_t seed) : state_(seed) {}
  double Next();  // in [0, 1)
  double Range(double low, double high) { return low + (high - low) * Next(); }

 private:
  std::uint64_t state_;
};

// Smooth value noise in [0, 1] over the plane, one lattice cell per unit;
// Fbm adds octaves of halving size and weight.
double ValueNoise(double x, double y, std::uint32_t seed);
double Fbm(double x, double y, std::uint32_t seed, int octaves);

// A place on a road and the road's unit direction there.
struct RoadStep {
  MapPoint at;
  MapPoint along;
};

// Steps every spacing units of arc from the start of the link to its end.
std::vector<RoadStep> WalkLink(const MapLink& link, double spacing);

// Where the roads and the build spots of a level lie, for placing ground,
// water and scenery around them.
class MapPlan {
 public:
  explicit MapPlan(const MapLevel& level);

  const MapLevel& Level() const { return level_; }
  // The level's links and, so that no road stops short in the open, their
  // straight continuations from each spawn point and goal out of the picture.
  const std::vector<MapLink>& Roads() const { return roads_; }
  std::uint32_t Seed() const { return seed_; }
  // Distances from the middle line of the nearest road and from the nearest
  // spot centre.
  double RoadDistance(double x, double y) const;
  double SpotDistance(double x, double y) const;
  // The road distance read from a coarse grid, for every pixel of the map.
  double CoarseRoadDistance(double x, double y) const;

 private:
  MapLevel level_;
  std::uint32_t seed_;
  std::vector<MapLink> roads_;
  std::vector<MapPoint> roadPoints_;
  int gridColumns_ = 0, gridRows_ = 0;
  std::vector<float> grid_;
};

}  // namespace art
