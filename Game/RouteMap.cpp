#include "Game/RouteMap.h"

#include <tinyxml2.h>

#include <cmath>

#include "Game/OwnedPointers.h"
#include "Game/PathFinder.h"

namespace {

constexpr float kLengthStep = 0.1f;
constexpr float kNormalChord = 0.01f;
constexpr float kWalkStep = 0.001f;
// A walk from t = 0 passes the end within 1001 steps; from anywhere else the
// bound still ends it.
constexpr int kMaxWalkSteps = 1100;

bool HasPropertyOne(const KpPoint& point, const char* name) { return point.properties->getFloat(name) == 1.0f; }

// Unlike QuadBezierNormal, the chord is not turned round near the end.
CurvePoint ForwardNormal(const QuadCurve& curve, float t) {
  const float s = t >= 1.0f ? 1.0f : t;
  CurvePoint from;
  CurvePoint to;
  QuadBezierPoint(from, curve, s);
  QuadBezierPoint(to, curve, s + kNormalChord);
  const float dx = to.x - from.x;
  const float dy = to.y - from.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0f) return {};
  return {-dy / length, dx / length};
}

}  // namespace

RouteMap::~RouteMap() { clear(); }

void RouteMap::clear() {
  DeleteAllPointers(points_);
  DeleteAllPointers(links_);
}

void RouteMap::load(const tinyxml2::XMLElement& map, float scale) {
  clear();
  if (const tinyxml2::XMLElement* points = map.FirstChildElement("points")) {
    for (const tinyxml2::XMLElement* child = points->FirstChildElement(); child; child = child->NextSiblingElement())
      points_.push_back(new KpPoint(*child, scale));
  }
  if (const tinyxml2::XMLElement* links = map.FirstChildElement("links")) {
    for (const tinyxml2::XMLElement* child = links->FirstChildElement(); child; child = child->NextSiblingElement())
      links_.push_back(new KpLink(*child, scale));
  }
}

const KpPoint* RouteMap::findPoint(int id) const {
  for (const KpPoint* point : points_)
    if (point->id == id) return point;
  return nullptr;
}

const KpPoint* RouteMap::firstPointWithProperty(const char* name) const {
  for (const KpPoint* point : points_)
    if (HasPropertyOne(*point, name)) return point;
  return nullptr;
}

const KpPoint* RouteMap::findGoalPoint() const { return firstPointWithProperty("goal"); }

const KpPoint* RouteMap::findSpawnPoint() const { return firstPointWithProperty("spawn"); }

std::vector<const KpPoint*> RouteMap::spawnPoints() const {
  std::vector<const KpPoint*> spawns;
  for (const KpPoint* point : points_)
    if (HasPropertyOne(*point, "spawn")) spawns.push_back(point);
  return spawns;
}

const KpLink* RouteMap::findLink(const KpPoint& a, const KpPoint& b) const {
  for (const KpLink* link : links_) {
    const bool hasA = link->startId == a.id || link->endId == a.id;
    const bool hasB = link->startId == b.id || link->endId == b.id;
    if (hasA && hasB) return link;
  }
  return nullptr;
}

std::vector<int> RouteMap::findRoute(const KpPoint& start, const KpPoint& goal) const {
  KpPathFinder finder(*this);
  return finder.findPath(start, goal);
}

std::optional<QuadCurve> RouteMap::curveOf(const KpLink& link) const {
  const KpPoint* start = findPoint(link.startId);
  const KpPoint* end = findPoint(link.endId);
  if (!start || !end) return std::nullopt;
  return QuadCurve{{start->x, start->y}, {link.anchorX, link.anchorY}, {end->x, end->y}};
}

float RouteMap::linkLength(const KpLink* link) const {
  if (!link) return 0.0f;
  const std::optional<QuadCurve> curve = curveOf(*link);
  if (!curve) return 0.0f;
  // Float steps of 0.1 pass 1 after the sample at 0.9: the last tenth of the
  // curve is left out, and enemies have always walked by this figure.
  CurvePoint previous = curve->start;
  float length = 0.0f;
  for (float t = 0.0f; t <= 1.0f; t += kLengthStep) {
    CurvePoint point;
    QuadBezierPoint(point, *curve, t);
    length += Distance2D(previous.x, previous.y, point.x, point.y);
    previous = point;
  }
  return length;
}

CurvePoint RouteMap::linkNormalAt(const KpLink& link, float t) const {
  const std::optional<QuadCurve> curve = curveOf(link);
  if (!curve) return {};
  return ForwardNormal(*curve, t);
}

float RouteMap::pointOnLink(const KpLink& link, float t, float distance, float offset) const {
  const std::optional<QuadCurve> curve = curveOf(link);
  if (!curve) return 1.0f;
  const auto movedPoint = [&](float at) {
    CurvePoint point;
    QuadBezierPoint(point, *curve, at);
    const CurvePoint normal = ForwardNormal(*curve, at);
    return CurvePoint{point.x + offset * normal.x, point.y + offset * normal.y};
  };
  float covered = 0.0f;
  if (covered >= distance) return t;
  CurvePoint previous = movedPoint(t);
  for (int step = 0; step < kMaxWalkSteps; ++step) {
    t += kWalkStep;
    if (t > 1.0f) return 1.0f;
    const CurvePoint point = movedPoint(t);
    covered += Distance2D(previous.x, previous.y, point.x, point.y);
    previous = point;
    if (covered >= distance) return t;
  }
  return 1.0f;
}
