#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace art {

struct MapPoint {
  double x = 0, y = 0;
};

// A road: the quadratic curve from start to end with the anchor as its
// control point, as the units walk it.
struct MapLink {
  MapPoint start, anchor, end;

  MapPoint At(double t) const;
  // The curve's direction at t (not normalised).
  MapPoint Tangent(double t) const;
};

struct MapSpot {
  MapPoint at;
  int type = 0;  // 0 plain, 1 bought for coins, 2 bought for embers
};

// What the map's pictures are drawn from: one level file of the campaign.
struct MapLevel {
  std::string layout;  // "kp/data/maps/e1_l1", the folder its "li" names
  int episode = 0;     // counted from 1: the look of the map
  std::vector<MapLink> links;
  std::vector<MapSpot> spots;
  std::vector<MapPoint> spawns;
  std::vector<MapPoint> goals;
};

// Reads "level_EE_LL.xml"; prints why and gives nothing when the file cannot
// be read, names no layout or holds a link to a point it does not have.
std::optional<MapLevel> ReadMapLevel(const std::filesystem::path& file);

}  // namespace art
