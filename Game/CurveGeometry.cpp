#include "Game/CurveGeometry.h"

#include <cmath>

#include "Core/Base/MathRandom.h"

namespace {

constexpr float kNormalChord = 0.01f;
constexpr float kBackwardChordStart = 0.98f;
constexpr float kMeasureStep = 0.0001f;
// Enough steps to walk a whole curve and as much again past its end.
constexpr int kMaxWalkSteps = 20002;

CurvePoint OffsetPoint(const QuadCurve& curve, float t, float offset) {
  CurvePoint point;
  QuadBezierPoint(point, curve, t);
  CurvePoint normal;
  QuadBezierNormal(normal, curve, t);
  return {point.x + offset * normal.x, point.y + offset * normal.y};
}

float DistanceBetween(const CurvePoint& a, const CurvePoint& b) { return Distance2D(a.x, a.y, b.x, b.y); }

}  // namespace

void QuadBezierPoint(CurvePoint& out, const QuadCurve& curve, float t) {
  const float u = 1.0f - t;
  const float startWeight = u * u;
  const float controlWeight = (2.0f * t) * u;
  const float endWeight = t * t;
  out.x = startWeight * curve.start.x + controlWeight * curve.control.x + endWeight * curve.end.x;
  out.y = startWeight * curve.start.y + controlWeight * curve.control.y + endWeight * curve.end.y;
}

void QuadBezierNormal(CurvePoint& out, const QuadCurve& curve, float t) {
  if (t >= 1.0f) t = 1.0f;
  float u = t + kNormalChord;
  bool backwards = false;
  if (u >= 1.0f) {
    u = kBackwardChordStart;
    backwards = true;
  }
  CurvePoint from;
  CurvePoint to;
  QuadBezierPoint(from, curve, t);
  QuadBezierPoint(to, curve, u);
  const float dx = to.x - from.x;
  const float dy = to.y - from.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0.0f) {
    out = {};
    return;
  }
  out = {-dy / length, dx / length};
  if (backwards) out = {-out.x, -out.y};
}

float OffsetCurveLength(const QuadCurve& curve, float offset) {
  CurvePoint previous = OffsetPoint(curve, 0.0f, offset);
  float total = 0.0f;
  for (float t = 0.0f; t <= 1.0f; t += kMeasureStep) {
    const CurvePoint point = OffsetPoint(curve, t, offset);
    total += DistanceBetween(previous, point);
    previous = point;
  }
  return total;
}

float OffsetCurveParamAtDistance(const QuadCurve& curve, float t0, float distance, float offset) {
  CurvePoint previous = OffsetPoint(curve, t0, offset);
  float walked = 0.0f;
  float t = t0;
  for (int step = 0; step < kMaxWalkSteps; ++step) {
    const CurvePoint point = OffsetPoint(curve, t, offset);
    walked += DistanceBetween(previous, point);
    if (walked >= distance) return t;
    previous = point;
    t += kMeasureStep;
  }
  return t;
}

void BuildOffsetCurveSamples(const QuadCurve& curve, float offset, int count, OwnedRoutePoints& out) {
  const float step = OffsetCurveLength(curve, offset) / static_cast<float>(count);
  float t = 0.0f;
  while (t <= 1.0f) {
    auto sample = std::make_unique<RoutePoint>();
    CurvePoint normal;
    QuadBezierNormal(normal, curve, t);
    const CurvePoint point = OffsetPoint(curve, t, offset);
    sample->normalX = normal.x;
    sample->normalY = normal.y;
    sample->x = point.x;
    sample->y = point.y;
    out.push_back(std::move(sample));
    // Without a positive step the walk would stand still.
    if (!(step > 0.0f)) return;
    const float next = OffsetCurveParamAtDistance(curve, t, step, offset);
    if (!(next > t)) return;
    t = next;
  }
}

float ClampNonNegative(float value) { return value < 0.0f ? 0.0f : value; }

float MinFloat(float a, float b) { return a > b ? b : a; }

float RotateAngleMinus90(float degrees) { return degrees >= 90.0f ? degrees - 90.0f : degrees + 270.0f; }

void RandomPointInRing(CurvePoint& out, float centreX, float centreY, float outerRadius, float innerRadius) {
  constexpr float kPi = 3.1415927f;
  const float angle = math::Random(0) * 360.0f * kPi / 180.0f;
  const float radius = math::Random(0) * (outerRadius - innerRadius) + innerRadius;
  out.x = centreX + std::cos(angle) * radius;
  out.y = centreY + std::sin(angle) * radius;
}

float Distance2D(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}
