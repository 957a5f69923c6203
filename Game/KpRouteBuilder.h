#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"
#include "Game/RouteCache.h"
#include "Game/RoutePoint.h"

class RouteMap;
struct KpLink;

// What the route builder needs of the level's waves.
class WaveLanes {
 public:
  virtual ~WaveLanes() = default;
  // The lane keys of the entries of every wave that starts at the spawn
  // point, in wave and entry order.
  virtual std::vector<int> laneKeysFrom(int spawnPointId) const = 0;
};

// The lateral offset, in map units, of a wave entry walking at y: entries at
// 0, -65 and -130 walk the lanes -20, 0 and 20. Truncated toward zero; y that
// is not a number walks the middle lane.
int LaneKeyOfEntry(float entryY);


// The lane routes of one link, one per lane key.
struct KpLinkRoutes {
  // Kept from the route cache; nothing reads them.
  std::map<int, float> laneValues;
  std::map<int, LaneRoute> lanes;
  const KpLink* link = nullptr;
};

// The lane routes of a level's links: read from the level's route cache or
// sampled from the links' curves on the shortest ways from the spawn points
// to the goal. The store owns the route points until the next build.
class KpRouteBuilder {
 public:
  static constexpr int kSamplesPerLink = 20;
  // Far beyond any level's routes; a larger file is refused unread.
  static constexpr std::uint32_t kMaxCacheBytes = 64u << 20;

  // Empties the store, then reads the cache file at cachePath (relative to
  // the data root) or, when there is none or it is damaged, computes the
  // routes of the lanes the waves walk.
  void build(const RouteMap& map, const WaveLanes& waves, const base::WString& cachePath);
  // 0 when the cache was read into the store; otherwise the failed open's
  // code, or a failure after a damaged file was logged and left out.
  QLResultEnum readCache(const RouteMap& map, const base::WString& cachePath);

  // out becomes the lane's points when the store has them (the first entry of
  // the link counts); otherwise it is left as it was.
  void getRoute(const KpLink* link, int laneKey, LaneRoute& out) const;
  // Sets the link's lane, adding an entry for the link when it has none.
  void storeRoute(const KpLink* link, int laneKey, OwnedRoutePoints points);
  void clear();

  const std::vector<std::unique_ptr<KpLinkRoutes>>& entries() const { return entries_; }
  // The store as cache records of the map's links, for writing a cache.
  std::vector<RouteCacheRecord> cacheRecords(const RouteMap& map) const;

 private:
  const LaneRoute* findLane(const KpLink* link, int laneKey) const;
  void computeRoutes(const RouteMap& map, const WaveLanes& waves);
  void addRecord(const RouteMap& map, const RouteCacheRecord& record);

  std::vector<std::unique_ptr<KpLinkRoutes>> entries_;
  OwnedRoutePoints points_;
};
