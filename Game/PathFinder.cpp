#include "Game/PathFinder.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "Core/Base/LogMessage.h"
#include "Game/CurveGeometry.h"
#include "Game/RouteMap.h"

namespace {

// A node is taken only while its distance lies below this.
constexpr float kBeyondReach = 10000001.0f;

std::uint64_t PairKey(int a, int b) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b);
}

}  // namespace

void MapExtractor::extract(const RouteMap& map) {
  nodes_.clear();
  firstNodeOfId_.clear();
  const std::vector<KpPoint*>& points = map.points();
  nodes_.reserve(points.size());
  for (const KpPoint* point : points) {
    firstNodeOfId_.try_emplace(point->id, static_cast<int>(nodes_.size()));
    DijkstraNode node;
    node.point = point;
    nodes_.push_back(std::move(node));
  }

  // One pass over the links gives every id its neighbours in link order;
  // points that share an id share them.
  std::unordered_map<int, std::vector<int>> neighboursOfId;
  std::unordered_set<std::uint64_t> known;
  const auto add = [&](int pointId, int candidateId) {
    if (nodeOf(candidateId) < 0) return;
    if (!known.insert(PairKey(pointId, candidateId)).second) return;
    neighboursOfId[pointId].push_back(candidateId);
  };
  for (const KpLink* link : map.links()) {
    add(link->startId, link->endId);
    if (link->endId != link->startId) add(link->endId, link->startId);
  }
  for (DijkstraNode& node : nodes_) {
    const auto found = neighboursOfId.find(node.point->id);
    if (found != neighboursOfId.end()) node.neighbours = found->second;
  }
}

int MapExtractor::nodeOf(int pointId) const {
  const auto found = firstNodeOfId_.find(pointId);
  return found == firstNodeOfId_.end() ? -1 : found->second;
}

std::vector<int> KpPathFinder::findPath(const KpPoint& start, const KpPoint& goal) {
  extractor_.extract(map_);
  int current = extractor_.nodeOf(start.id);
  if (current < 0) {
    QL_LOG(u"No route from point %d: the map has no such point\n").AddArg(start.id);
    return {};
  }
  extractor_.nodes()[static_cast<std::size_t>(current)].distance = 0.0f;
  // Every round visits one more node, so the rounds end with the nodes.
  while (current >= 0) {
    visit(current);
    current = nextNode();
  }
  std::vector<int> path = pathTo(start.id, goal.id);
  if (path.empty()) QL_LOG(u"No route from point %d to point %d\n").AddArg(start.id).AddArg(goal.id);
  return path;
}

void KpPathFinder::visit(int current) {
  std::vector<DijkstraNode>& nodes = extractor_.nodes();
  DijkstraNode& node = nodes[static_cast<std::size_t>(current)];
  node.visited = true;
  for (const int neighbourId : node.neighbours) {
    const int index = extractor_.nodeOf(neighbourId);
    if (index < 0) continue;
    DijkstraNode& neighbour = nodes[static_cast<std::size_t>(index)];
    if (neighbour.visited) continue;
    // Neighbours come from links, so a link joins the two points and the
    // weight is their straight distance.
    const float weight = Distance2D(node.point->x, node.point->y, neighbour.point->x, neighbour.point->y);
    const float through = node.distance + weight;
    // On a tie the earlier predecessor stays.
    if (neighbour.distance > through) {
      neighbour.distance = through;
      neighbour.previous = current;
    }
  }
}

int KpPathFinder::nextNode() const {
  const std::vector<DijkstraNode>& nodes = extractor_.nodes();
  float best = kBeyondReach;
  int candidate = -1;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (!nodes[i].visited && nodes[i].distance < best) {
      best = nodes[i].distance;
      candidate = static_cast<int>(i);
    }
  }
  return candidate;
}

std::vector<int> KpPathFinder::pathTo(int startId, int goalId) const {
  const std::vector<DijkstraNode>& nodes = extractor_.nodes();
  int index = extractor_.nodeOf(goalId);
  if (index < 0) return {};
  std::vector<int> path{goalId};
  // Predecessors never form a loop; the bound only makes that plain.
  for (std::size_t steps = 0; path.back() != startId; ++steps) {
    if (steps >= nodes.size()) return {};
    index = nodes[static_cast<std::size_t>(index)].previous;
    if (index < 0) return {};
    path.push_back(nodes[static_cast<std::size_t>(index)].point->id);
  }
  std::reverse(path.begin(), path.end());
  return path;
}
