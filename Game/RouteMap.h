#pragma once

#include <optional>
#include <vector>

#include "Game/CurveGeometry.h"
#include "Game/KpLink.h"
#include "Game/KpPoint.h"

// A level's points and links, in file order, with the searches and the link
// geometry that enemies, routes and decals use. Points are found by id: the
// first point of an id is the one that counts.
class RouteMap {
 public:
  RouteMap() = default;
  ~RouteMap();
  RouteMap(const RouteMap&) = delete;
  RouteMap& operator=(const RouteMap&) = delete;

  // Replaces the points and links by the children of the map element's
  // "points" and "links" (any element name each); coordinates are scaled.
  void load(const tinyxml2::XMLElement& map, float scale);
  void clear();

  const std::vector<KpPoint*>& points() const { return points_; }
  const std::vector<KpLink*>& links() const { return links_; }

  const KpPoint* findPoint(int id) const;
  // The first point whose "goal" is exactly 1: enemies head for it and the
  // lane routes lead to it.
  const KpPoint* findGoalPoint() const;
  // The first point whose "spawn" is exactly 1.
  const KpPoint* findSpawnPoint() const;
  // Every point whose "spawn" is exactly 1, in point order.
  std::vector<const KpPoint*> spawnPoints() const;

  // The first link joining the two points' ids, either way round.
  const KpLink* findLink(const KpPoint& a, const KpPoint& b) const;
  // The point ids of the shortest way over the links, start first; empty
  // (and logged) when the goal cannot be reached.
  std::vector<int> findRoute(const KpPoint& start, const KpPoint& goal) const;

  // The link's curve from its start point over its anchor to its end point;
  // nothing when either point is missing.
  std::optional<QuadCurve> curveOf(const KpLink& link) const;
  // The chord length over the first nine tenths of the curve, which enemies
  // store as they enter a link. 0 for a null link or one without a curve.
  float linkLength(const KpLink* link) const;
  // The unit normal of the chord from t (at most 1) to t + 0.01; (0, 0) when
  // the chord has no length.
  CurvePoint linkNormalAt(const KpLink& link, float t) const;
  // The curve parameter reached after walking the distance from t along the
  // curve moved sideways by offset; 1 at the link's end.
  float pointOnLink(const KpLink& link, float t, float distance, float offset) const;

 private:
  const KpPoint* firstPointWithProperty(const char* name) const;

  std::vector<KpPoint*> points_;
  std::vector<KpLink*> links_;
};
