#include "Game/KpRouteBuilder.h"

#include <algorithm>
#include <set>

#include "Core/Base/FileStream.h"
#include "Core/Base/LogMessage.h"
#include "Core/Base/ReadWholeStream.h"
#include "Core/Base/Utf.h"
#include "Game/LevelNumbers.h"
#include "Game/RouteMap.h"

namespace {

// The links of a point path, one per step.
std::vector<const KpLink*> LinksAlong(const RouteMap& map, const std::vector<int>& path) {
  std::vector<const KpLink*> links;
  for (std::size_t i = 1; i < path.size(); ++i) {
    const KpPoint* from = map.findPoint(path[i - 1]);
    const KpPoint* to = map.findPoint(path[i]);
    const KpLink* link = from && to ? map.findLink(*from, *to) : nullptr;
    if (link) links.push_back(link);
  }
  return links;
}

// Far more lanes than any level walks: every one is a sampled copy of each
// link on the way, and entries from a file may name any lane at all.
constexpr std::size_t kMaxLanesPerSpawn = 64;

std::set<int> DistinctLanes(const std::vector<int>& keys) {
  std::set<int> lanes;
  for (const int key : keys) {
    if (lanes.size() == kMaxLanesPerSpawn && !lanes.count(key)) {
      QL_LOG(u"The waves of one spawn point walk more than %d lanes; the others have no routes\n")
          .AddArg(static_cast<int>(kMaxLanesPerSpawn));
      break;
    }
    lanes.insert(key);
  }
  return lanes;
}

}  // namespace

int LaneKeyOfEntry(float entryY) {
  return TruncateToInt((-entryY - 65.0f) / 65.0f * 20.0f);
}

void KpRouteBuilder::clear() {
  entries_.clear();
  points_.clear();
}

// A cache holds what the level needed when it was written; whatever lane the
// waves walk now and it lacks is computed.
void KpRouteBuilder::build(const RouteMap& map, const WaveLanes& waves, const base::WString& cachePath) {
  clear();
  readCache(map, cachePath);
  computeRoutes(map, waves);
}

void KpRouteBuilder::computeRoutes(const RouteMap& map, const WaveLanes& waves) {
  const KpPoint* goal = map.findGoalPoint();
  if (!goal) {
    QL_LOG(u"The level has no goal point; its enemies have no routes\n");
    return;
  }
  for (const KpPoint* spawn : map.spawnPoints()) {
    const std::vector<const KpLink*> links = LinksAlong(map, map.findRoute(*spawn, *goal));
    for (const int laneKey : DistinctLanes(waves.laneKeysFrom(spawn->id))) {
      for (const KpLink* link : links) {
        const LaneRoute* known = findLane(link, laneKey);
        if (known && !known->empty()) continue;
        const std::optional<QuadCurve> curve = map.curveOf(*link);
        if (!curve) continue;
        OwnedRoutePoints samples;
        BuildOffsetCurveSamples(*curve, static_cast<float>(laneKey), kSamplesPerLink, samples);
        storeRoute(link, laneKey, std::move(samples));
      }
    }
  }
}

QLResultEnum KpRouteBuilder::readCache(const RouteMap& map, const base::WString& cachePath) {
  base::FileStream stream;
  const QLResultEnum opened = stream.Open(cachePath, file::kReadAccess, file::kOpenExisting);
  if (opened != QL_OK) return opened;
  std::vector<std::uint8_t> bytes;
  const bool whole = base::ReadWholeStream(stream, kMaxCacheBytes, u"Route cache '" + cachePath + u"'", bytes);
  stream.Close();
  if (!whole) return QL_FAIL;
  std::vector<RouteCacheRecord> records;
  std::string problem;
  if (!ParseRouteCache(bytes, map.links().size(), records, problem)) {
    QL_LOG(u"Route cache '%s' is damaged (%s); the routes are computed instead\n")
        .AddArg(cachePath)
        .AddArg(base::WideFromUtf8Lenient(problem));
    return QL_FAIL;
  }
  for (const RouteCacheRecord& record : records) addRecord(map, record);
  return QL_OK;
}

void KpRouteBuilder::addRecord(const RouteMap& map, const RouteCacheRecord& record) {
  auto entry = std::make_unique<KpLinkRoutes>();
  entry->link = map.links()[record.linkIndex];
  for (const auto& [key, value] : record.laneValues) entry->laneValues[key] = value;
  for (const RouteCacheLane& lane : record.lanes) {
    LaneRoute& route = entry->lanes[lane.key];
    route.clear();
    for (const RoutePoint& point : lane.points) {
      points_.push_back(std::make_unique<RoutePoint>(point));
      route.push_back(points_.back().get());
    }
  }
  entries_.push_back(std::move(entry));
}

const LaneRoute* KpRouteBuilder::findLane(const KpLink* link, int laneKey) const {
  const auto entry =
      std::find_if(entries_.begin(), entries_.end(), [link](const auto& routes) { return routes->link == link; });
  if (entry == entries_.end()) return nullptr;
  const auto lane = (*entry)->lanes.find(laneKey);
  return lane == (*entry)->lanes.end() ? nullptr : &lane->second;
}

void KpRouteBuilder::getRoute(const KpLink* link, int laneKey, LaneRoute& out) const {
  if (const LaneRoute* lane = findLane(link, laneKey)) out = *lane;
}

void KpRouteBuilder::storeRoute(const KpLink* link, int laneKey, OwnedRoutePoints points) {
  auto entry =
      std::find_if(entries_.begin(), entries_.end(), [link](const auto& routes) { return routes->link == link; });
  if (entry == entries_.end()) {
    entries_.push_back(std::make_unique<KpLinkRoutes>());
    entries_.back()->link = link;
    entry = entries_.end() - 1;
  }
  LaneRoute& route = (*entry)->lanes[laneKey];
  route.clear();
  for (std::unique_ptr<RoutePoint>& point : points) {
    route.push_back(point.get());
    points_.push_back(std::move(point));
  }
}

std::vector<RouteCacheRecord> KpRouteBuilder::cacheRecords(const RouteMap& map) const {
  const std::vector<KpLink*>& links = map.links();
  std::vector<RouteCacheRecord> records;
  for (const auto& entry : entries_) {
    const auto link = std::find(links.begin(), links.end(), entry->link);
    if (link == links.end()) continue;
    RouteCacheRecord& record = records.emplace_back();
    record.linkIndex = static_cast<std::uint32_t>(link - links.begin());
    record.laneValues.assign(entry->laneValues.begin(), entry->laneValues.end());
    for (const auto& [key, route] : entry->lanes) {
      RouteCacheLane& lane = record.lanes.emplace_back();
      lane.key = key;
      for (const RoutePoint* point : route) lane.points.push_back(*point);
    }
  }
  return records;
}
