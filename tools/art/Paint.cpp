#include "tools/art/Paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr double kOutlineWidth = 2.0;
constexpr double kOutlineAlpha = 0.7;
}  // namespace

Rgb Shade(Rgb colour, double t) {
  const double target = t > 0 ? 1.0 : 0.0;
  const double k = std::min(1.0, std::fabs(t));
  return {colour.r + (target - colour.r) * k, colour.g + (target - colour.g) * k, colour.b + (target - colour.b) * k};
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) { cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha); }

namespace {
// The outline is as wide on every cell, whatever scale a drawing uses.
void Outline(cairo_t* cr, double alpha) {
  double width = kOutlineWidth, unused = 0;
  cairo_device_to_user_distance(cr, &width, &unused);
  cairo_set_line_width(cr, std::fabs(width));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, palette::kOutline, kOutlineAlpha * alpha);
  cairo_stroke(cr);
}
}  // namespace

void Flat(cairo_t* cr, Rgb fill, double alpha) {
  SetColour(cr, fill, alpha);
  cairo_fill_preserve(cr);
  Outline(cr, alpha);
}

void OutlinedLine(cairo_t* cr, double x1, double y1, double x2, double y2, double width, Rgb colour) {
  double outline = 2.0, unused = 0;
  cairo_device_to_user_distance(cr, &outline, &unused);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  cairo_set_line_width(cr, width + 2 * std::fabs(outline));
  SetColour(cr, palette::kOutline, 0.7);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  SetColour(cr, colour);
  cairo_stroke_preserve(cr);
}

void Solid(cairo_t* cr, Rgb fill, double alpha) {
  SetColour(cr, fill, alpha);
  cairo_fill_preserve(cr);
  double x1, y1, x2, y2;
  cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
  cairo_path_t* shape = cairo_copy_path(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  // The band: a lighter crescent along the upper left.
  const double w = x2 - x1, h = y2 - y1;
  cairo_new_path(cr);
  Ellipse(cr, x1 + w * 0.42, y1 + h * 0.30, w * 0.52, h * 0.36);
  cairo_new_sub_path(cr);
  Ellipse(cr, x1 + w * 0.54, y1 + h * 0.46, w * 0.56, h * 0.40);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, Shade(fill, 0.45), 0.55 * alpha);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_append_path(cr, shape);
  cairo_path_destroy(shape);
  Outline(cr, alpha);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double strength) {
  if (radius <= 0 || strength <= 0) return;
  cairo_save(cr);
  cairo_pattern_t* light = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  const double a = std::min(1.0, strength);
  cairo_pattern_add_color_stop_rgba(light, 0.0, colour.r, colour.g, colour.b, a);
  cairo_pattern_add_color_stop_rgba(light, 0.35, colour.r, colour.g, colour.b, a * 0.45);
  cairo_pattern_add_color_stop_rgba(light, 1.0, colour.r, colour.g, colour.b, 0);
  cairo_set_source(cr, light);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(light);
  cairo_restore(cr);
}

void Eyes(cairo_t* cr, double x1, double x2, double y, double size, Rgb colour) {
  for (double x : {x1, x2}) {
    Glow(cr, x, y, size * 2.2, colour, 0.8);
    cairo_new_path(cr);
    Ellipse(cr, x, y, size * 0.75, size);
    SetColour(cr, Shade(colour, 0.6));
    cairo_fill(cr);
  }
}

}  // namespace art
