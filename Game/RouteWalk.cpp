#include "Game/RouteWalk.h"

#include <cmath>

CurvePoint RoutePointAt(const LaneRoute& route, float t) {
  if (route.empty()) return {};
  const std::size_t last = route.size() - 1;
  const float scaled = static_cast<float>(last) * t;
  // Compared before the conversion so that no float outside the index range
  // (or one that is not a number) becomes an index.
  if (!(scaled > 0.0f)) return {route.front()->x, route.front()->y};
  if (!(scaled < static_cast<float>(last))) return {route[last]->x, route[last]->y};
  const auto before = static_cast<std::size_t>(std::floor(scaled));
  const float fraction = scaled - static_cast<float>(before);
  const RoutePoint& from = *route[before];
  const RoutePoint& to = *route[before + 1];
  return {from.x + fraction * (to.x - from.x), from.y + fraction * (to.y - from.y)};
}

float AdvanceOnRoute(const LaneRoute& route, float t, float distance) {
  if (route.size() < 2) return 1.0f;
  const float spacing = Distance2D(route[0]->x, route[0]->y, route[1]->x, route[1]->y);
  if (!(spacing > 0.0f) || !std::isfinite(spacing)) return 1.0f;
  const float advanced = t + distance / spacing / static_cast<float>(route.size() - 1);
  return advanced < 0.0f ? 0.0f : advanced;
}
