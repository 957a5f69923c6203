#include "Game/KpMap.h"
#include "Game/RouteWalk.h"

std::vector<int> KpMap::findPath(const KpPoint& start, const KpPoint& goal) const {
  return routeMap.findRoute(start, goal);
}

float KpMap::pointOnLink(const KpLink& link, float t, float distance, float offset) const {
  return routeMap.pointOnLink(link, t, distance, offset);
}

float KpMap::advanceOnRoute(const LaneRoute& route, float t, float distance) const {
  return AdvanceOnRoute(route, t, distance);
}

CurvePoint KpMap::routePointAt(const LaneRoute& route, float t) const { return RoutePointAt(route, t); }
