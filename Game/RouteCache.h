#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Game/RoutePoint.h"

// The level's route cache file: the lane routes of its links, little-endian,
// every field 4 bytes. A record names its link by index in the level's link
// list.

struct RouteCacheLane {
  std::int32_t key = 0;
  std::vector<RoutePoint> points;
};

struct RouteCacheRecord {
  std::uint32_t linkIndex = 0;
  std::vector<std::pair<std::int32_t, float>> laneValues;
  std::vector<RouteCacheLane> lanes;
};

// The records of a cache for a level of linkCount links. A file that ends
// before its counts say, or names a link the level does not have, is
// damaged: false, with what is wrong in problem. Bytes after the last record
// are not read.
bool ParseRouteCache(const std::vector<std::uint8_t>& bytes, std::size_t linkCount,
                     std::vector<RouteCacheRecord>& records, std::string& problem);

std::vector<std::uint8_t> RouteCacheBytes(const std::vector<RouteCacheRecord>& records);
