#include "tools/art/BorderSides.h"

#include <cmath>

#include "tools/art/Paint.h"

namespace art {

namespace {

using namespace palette;

constexpr int kWidth = 280;
constexpr int kHeight = 768;

void Sky(cairo_t* cr) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kHeight);
  cairo_pattern_add_color_stop_rgb(sky, 0, kNight.r, kNight.g, kNight.b);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, kNightBlue.r, kNightBlue.g, kNightBlue.b);
  cairo_pattern_add_color_stop_rgb(sky, 0.8, kDusk.r, kDusk.g, kDusk.b);
  cairo_pattern_add_color_stop_rgb(sky, 1, kMarsh.r, kMarsh.g, kMarsh.b);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  // Reeds against the last light along the bottom.
  for (int i = 0; i < 14; ++i) {
    const double x = 6 + i * 14.0 + (i % 3) * 3;
    const double top = 640 + (i * 37 % 50);
    OutlinedLine(cr, x, kHeight, x + ((i % 2) ? 6 : -5), top, 3, kMarshLight);
    cairo_new_path(cr);
  }
}

// The post stands near the inner edge, x being its middle.
void LampPost(cairo_t* cr, double x) {
  cairo_new_path(cr);
  cairo_rectangle(cr, x - 12, 120, 24, kHeight - 120);
  Solid(cr, kWood);
  cairo_new_path(cr);
  cairo_rectangle(cr, x - 22, 700, 44, 68);
  Solid(cr, kStone);
  // The arm and the hanging lantern glowing over the banner.
  OutlinedLine(cr, x, 140, x - 70, 140, 8, kIron);
  cairo_new_path(cr);
  OutlinedLine(cr, x - 62, 140, x - 62, 170, 3, kIron);
  cairo_new_path(cr);
  Glow(cr, x - 62, 195, 90, kLantern, 0.8);
  cairo_new_path(cr);
  RoundedRect(cr, x - 76, 170, 28, 44, 6);
  Solid(cr, kLanternLight);
  cairo_new_path(cr);
  cairo_rectangle(cr, x - 80, 164, 36, 8);
  Flat(cr, kBrass);
}

// A parchment banner hanging from the post, its lower edge cut in a swallow
// tail, with ink ornaments.
void Banner(cairo_t* cr, double x) {
  const double left = x - 88, right = x - 14, top = 260, bottom = 560;
  cairo_new_path(cr);
  cairo_move_to(cr, left, top);
  cairo_line_to(cr, right, top);
  cairo_line_to(cr, right, bottom);
  cairo_line_to(cr, (left + right) / 2, bottom - 40);
  cairo_line_to(cr, left, bottom);
  cairo_close_path(cr);
  Solid(cr, kParchment);
  SetColour(cr, kInk, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, left + 8, top + 10, right - left - 16, 230);
  cairo_stroke(cr);
  // A lantern flame in ink, then three ember dots.
  const double cx = (left + right) / 2;
  cairo_new_path(cr);
  cairo_move_to(cr, cx, top + 60);
  cairo_curve_to(cr, cx + 22, top + 100, cx + 16, top + 130, cx, top + 140);
  cairo_curve_to(cr, cx - 16, top + 130, cx - 22, top + 100, cx, top + 60);
  SetColour(cr, kFire);
  cairo_fill_preserve(cr);
  SetColour(cr, kInk);
  cairo_stroke(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, top + 175 + i * 22, 5, 0, 2 * M_PI);
    SetColour(cr, kEmber);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  OutlinedLine(cr, left - 4, top, right + 6, top, 6, kBrass);
  cairo_new_path(cr);
}

void Side(cairo_t* cr) {
  Sky(cr);
  LampPost(cr, kWidth - 40);
  Banner(cr, kWidth - 40);
}

}  // namespace

void AddBorderSides(Layout& layout) {
  layout.AddFrame("l", 0, 0, kWidth, kHeight, [](cairo_t* cr) { Side(cr); });
  layout.AddFrame("r", kWidth, 0, kWidth, kHeight, [](cairo_t* cr) {
    cairo_translate(cr, kWidth, 0);
    cairo_scale(cr, -1, 1);
    Side(cr);
  });
}

}  // namespace art
