#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One sampled point of a lane route: the curve's unit normal there and the
// point moved sideways along it. The route cache stores the five fields in
// this order, 4 bytes each.
struct RoutePoint {
  float normalX = 0.0f;
  float normalY = 0.0f;
  float x = 0.0f;
  float y = 0.0f;
  // Kept from the route cache; nothing reads it.
  std::uint32_t spare = 0;
};

// Enemies on the same link and lane share these pointers; the route store
// owns the points.
using LaneRoute = std::vector<RoutePoint*>;
using OwnedRoutePoints = std::vector<std::unique_ptr<RoutePoint>>;
