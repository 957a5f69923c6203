#include "Game/RoadDecals.h"

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Graphics.h"
#include "Game/LevelNumbers.h"
#include "Game/RouteMap.h"

namespace {

constexpr float kStampSpacing = 25.0f;

}  // namespace

std::vector<CurvePoint> LinkDecalPoints(const RouteMap& map, const KpLink& link) {
  std::vector<CurvePoint> points;
  const std::optional<QuadCurve> curve = map.curveOf(link);
  if (!curve) return points;
  // pointOnLink always moves on and ends at 1, so the walk ends.
  for (float t = 0.0f; t < 1.0f; t = map.pointOnLink(link, t, kStampSpacing, 0.0f)) {
    CurvePoint point;
    QuadBezierPoint(point, *curve, t);
    points.push_back(point);
  }
  return points;
}

void DrawRoadDecals(render::Graphics& graphics, const RouteMap& map, render::Image* brush, float shiftX) {
  if (!brush) return;
  math::Transform2D placement;
  for (const KpLink* link : map.links()) {
    for (const CurvePoint& point : LinkDecalPoints(map, *link)) {
      placement.Reset();
      placement.Translate(static_cast<float>(TruncateToInt(point.x)) + shiftX,
                          static_cast<float>(TruncateToInt(point.y)));
      auto draw = graphics.DrawImage(brush);
      draw->anchorX = render::kAnchorCenter;
      draw->anchorY = render::kAnchorMiddle;
      draw.Transform2D(placement);
    }
  }
}
