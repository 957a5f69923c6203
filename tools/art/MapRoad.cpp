#include <cmath>

#include "tools/art/MapParts.h"

namespace art {

namespace {

using namespace palette;

void CurvePath(cairo_t* cr, const MapLink& link) {
  // The quadratic curve as the cubic Cairo draws.
  const MapLink& l = link;
  cairo_new_path(cr);
  cairo_move_to(cr, l.start.x, l.start.y);
  cairo_curve_to(cr, l.start.x + 2.0 / 3 * (l.anchor.x - l.start.x), l.start.y + 2.0 / 3 * (l.anchor.y - l.start.y),
                 l.end.x + 2.0 / 3 * (l.anchor.x - l.end.x), l.end.y + 2.0 / 3 * (l.anchor.y - l.end.y), l.end.x,
                 l.end.y);
}

void StrokeRoads(cairo_t* cr, const std::vector<MapLink>& roads, double width, Rgb colour, double alpha) {
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const MapLink& link : roads) {
    CurvePath(cr, link);
    SetColour(cr, colour, alpha);
    cairo_stroke(cr);
  }
}

MapPoint Side(const RoadStep& step, double offset) {
  return {step.at.x - step.along.y * offset, step.at.y + step.along.x * offset};
}

// A rectangle across the road at the step, from one side offset to the other.
void Across(cairo_t* cr, const RoadStep& step, double from, double to, double thickness) {
  const double ax = step.along.x * thickness / 2, ay = step.along.y * thickness / 2;
  const MapPoint a = Side(step, from), b = Side(step, to);
  cairo_new_path(cr);
  cairo_move_to(cr, a.x - ax, a.y - ay);
  cairo_line_to(cr, b.x - ax, b.y - ay);
  cairo_line_to(cr, b.x + ax, b.y + ay);
  cairo_line_to(cr, a.x + ax, a.y + ay);
  cairo_close_path(cr);
}

void Planks(cairo_t* cr, const MapLink& link, MapRandom& random) {
  const double half = kRoadWidth / 2;
  for (const RoadStep& step : WalkLink(link, 10)) {
    Across(cr, step, -half + 5 + random.Range(-1.5, 1.5), half - 5 + random.Range(-1.5, 1.5), 8);
    SetColour(cr, Shade(kWood, random.Range(-0.32, 0.04)));
    cairo_fill(cr);
    // A worn light edge and the two nails of each plank.
    Across(cr, {Side(step, 0), step.along}, -half + 5, half - 5, 1.5);
    SetColour(cr, Shade(kWood, 0.3), 0.25);
    cairo_fill(cr);
    for (double side : {-half + 8, half - 8}) {
      const MapPoint nail = Side(step, side);
      cairo_new_path(cr);
      cairo_arc(cr, nail.x, nail.y, 1.2, 0, 2 * M_PI);
      SetColour(cr, kIron);
      cairo_fill(cr);
    }
  }
}

// Posts that carry the boardwalk, along both sides, except where another
// road runs over the place.
void Posts(cairo_t* cr, const MapPlan& plan, const MapLink& link) {
  const double half = kRoadWidth / 2;
  for (const RoadStep& step : WalkLink(link, 52)) {
    for (double side : {-half - 1, half + 1}) {
      const MapPoint post = Side(step, side);
      if (plan.RoadDistance(post.x, post.y) < half - 2) continue;
      cairo_new_path(cr);
      cairo_arc(cr, post.x, post.y, 5, 0, 2 * M_PI);
      Flat(cr, Shade(kWood, -0.15));
    }
  }
}

void Cobbles(cairo_t* cr, const MapLink& link, MapRandom& random) {
  const double half = kRoadWidth / 2;
  int row = 0;
  for (const RoadStep& step : WalkLink(link, 11)) {
    const double stagger = (row++ % 2) * 5.5;
    const double angle = std::atan2(step.along.y, step.along.x);
    for (double offset = -half + 9 + stagger; offset <= half - 9; offset += 11) {
      const MapPoint c = Side(step, offset);
      cairo_save(cr);
      cairo_translate(cr, c.x + random.Range(-1, 1), c.y + random.Range(-1, 1));
      cairo_rotate(cr, angle + random.Range(-0.3, 0.3));
      const double rx = random.Range(4.4, 5.4), ry = random.Range(4.2, 5.0);
      cairo_new_path(cr);
      Ellipse(cr, 0, 0, rx, ry);
      SetColour(cr, Shade(kStone, random.Range(-0.25, 0.1)));
      cairo_fill(cr);
      cairo_new_path(cr);
      Ellipse(cr, -rx * 0.25, -ry * 0.3, rx * 0.5, ry * 0.35);
      SetColour(cr, kChalkLight, 0.18);
      cairo_fill(cr);
      cairo_restore(cr);
    }
  }
}

}  // namespace

void DrawRoads(cairo_t* cr, const MapPlan& plan, const MapTheme& theme) {
  const std::vector<MapLink>& roads = plan.Roads();
  // Every road's shadow and bed first, so that crossings merge.
  StrokeRoads(cr, roads, kRoadWidth + 26, kOutline, 0.25);
  StrokeRoads(cr, roads, kRoadWidth + 6, kOutline, 0.8);
  // The rails or kerbs are the edge of one stroke under the bed, so that
  // they run unbroken round every joint and crossing.
  StrokeRoads(cr, roads, kRoadWidth, theme.boardwalk ? Shade(kWood, -0.35) : Shade(kChalk, -0.3), 1.0);
  StrokeRoads(cr, roads, kRoadWidth - 9, theme.boardwalk ? Shade(kWood, -0.55) : Shade(kStone, -0.5), 1.0);
  MapRandom random(plan.Seed() + 17);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (const MapLink& link : roads) {
    if (theme.boardwalk) {
      Planks(cr, link, random);
    } else {
      Cobbles(cr, link, random);
    }
  }
  if (theme.boardwalk)
    for (const MapLink& link : roads) Posts(cr, plan, link);
}

}  // namespace art
