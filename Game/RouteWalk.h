#pragma once

#include "Game/CurveGeometry.h"
#include "Game/RoutePoint.h"

// Walking an enemy along a lane route of evenly spaced points; t runs from
// 0 at the first point to 1 at the last.

// The point at t, blended between the two points around it; the last point
// from t = 1 on, the first for t below 0; (0, 0) for an empty route.
CurvePoint RoutePointAt(const LaneRoute& route, float t);

// t moved on by the distance, taking the first segment's length for every
// segment; never below 0 and not capped at 1 (1 or more ends the link). A
// route with no length to walk ends at once: 1.
float AdvanceOnRoute(const LaneRoute& route, float t, float distance);
