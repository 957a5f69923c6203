#pragma once

#include <unordered_map>
#include <vector>

class RouteMap;
struct KpPoint;

// One map point during a search.
struct DijkstraNode {
  static constexpr float kUnreached = 10000000.0f;

  const KpPoint* point = nullptr;
  // The index of the predecessor on the best way found; -1 for none.
  int previous = -1;
  float distance = kUnreached;
  bool visited = false;
  // The ids of the points linked to this one, each once, in link order.
  std::vector<int> neighbours;
};

// The search nodes of a map, one per point in point order.
class MapExtractor {
 public:
  void extract(const RouteMap& map);

  std::vector<DijkstraNode>& nodes() { return nodes_; }
  const std::vector<DijkstraNode>& nodes() const { return nodes_; }
  // The first node of the point id; -1 when no point has it.
  int nodeOf(int pointId) const;

 private:
  std::vector<DijkstraNode> nodes_;
  std::unordered_map<int, int> firstNodeOfId_;
};

// One shortest-way search over a map's links, which are walked either way
// and weigh their straight length. Made for one search.
class KpPathFinder {
 public:
  explicit KpPathFinder(const RouteMap& map) : map_(map) {}

  // The point ids from start to goal; empty, with a log line, when the goal
  // cannot be reached.
  std::vector<int> findPath(const KpPoint& start, const KpPoint& goal);

 private:
  void visit(int current);
  // The unvisited node of least distance, the earliest on a tie; a node never
  // reached is still taken when no reached one is left. -1 when none is left.
  int nextNode() const;
  std::vector<int> pathTo(int startId, int goalId) const;

  const RouteMap& map_;
  MapExtractor extractor_;
};
