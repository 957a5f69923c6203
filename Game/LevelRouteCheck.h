#pragma once

#include <cstddef>

#include "Core/Base/WString.h"

class RouteMap;

// Far beyond any level's needs; a level with more is taken to be damaged.
inline constexpr std::size_t kMaxLevelPoints = 1000;
inline constexpr std::size_t kMaxLevelLinks = 2000;

// What makes the level's points and links unplayable: too many of them, a
// link from a point to itself or one naming a point the level lacks. Empty
// when the enemies can walk them.
base::WString RouteMapProblem(const RouteMap& map);
