#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/art/MapParts.h"

namespace art {

namespace {

using namespace palette;

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

std::uint32_t Pixel(Rgb c) {
  auto channel = [](double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  return 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// The ground's height at every other pixel, read back smoothly: the shore
// lines stay smooth at a quarter of the work.
class HeightField {
 public:
  HeightField(const MapPlan& plan, const MapTheme& theme) : columns_(kMapWidth / kStep + 2), rows_(kMapHeight / kStep + 2) {
    heights_.resize(static_cast<std::size_t>(columns_) * rows_);
    for (int r = 0; r < rows_; ++r)
      for (int c = 0; c < columns_; ++c) heights_[Index(c, r)] = GroundHeight(plan, theme, kMapLeft + c * kStep, r * kStep);
  }

  // At pixel (px, py) of the picture.
  double At(int px, int py) const {
    const int c = px / kStep, r = py / kStep;
    const double tx = static_cast<double>(px % kStep) / kStep, ty = static_cast<double>(py % kStep) / kStep;
    const double top = heights_[Index(c, r)] + (heights_[Index(c + 1, r)] - heights_[Index(c, r)]) * tx;
    const double bottom = heights_[Index(c, r + 1)] + (heights_[Index(c + 1, r + 1)] - heights_[Index(c, r + 1)]) * tx;
    return top + (bottom - top) * ty;
  }

 private:
  static constexpr int kStep = 2;
  std::size_t Index(int c, int r) const { return static_cast<std::size_t>(r) * columns_ + c; }

  int columns_, rows_;
  std::vector<double> heights_;
};

// Ground and water, pixel by pixel, with the night's fall-off to the edges.
void PaintGround(cairo_t* cr, const MapPlan& plan, const MapTheme& theme) {
  cairo_surface_t* surface = cairo_get_target(cr);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const std::uint32_t seed = plan.Seed();
  const HeightField field(plan, theme);
  for (int py = 0; py < kMapHeight; ++py) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(py) * stride);
    for (int px = 0; px < kMapWidth; ++px) {
      const double x = px + kMapLeft, y = py;
      const double h = field.At(px, py);
      const double grain = ValueNoise(x / 2.5, y / 2.5, seed + 9) - 0.5;
      Rgb colour;
      if (h < theme.waterLevel) {
        const double depth = Clamp01((theme.waterLevel - h) / 0.18);
        colour = Mix(theme.waterLight, Shade(theme.waterDeep, -0.3), depth);
        // Long low ripples catch a little light.
        const double ripple = Fbm(x / 46, y / 9, seed + 5, 2);
        if (ripple > 0.62) colour = Shade(colour, (ripple - 0.62) * 0.9);
        colour = Shade(colour, grain * 0.03);
      } else if (h < theme.waterLevel + 0.022) {
        colour = Shade(theme.shore, grain * 0.12 + (Fbm(x / 8, y / 8, seed + 6, 2) - 0.5) * 0.2);
      } else {
        const double patch = Fbm(x / 55, y / 55, seed + 3, 3);
        colour = Mix(theme.landDark, theme.landLight, Clamp01((patch - 0.3) * 2.2));
        colour = Shade(colour, grain * 0.14 + (h - theme.waterLevel < 0.05 ? -0.12 : 0.0));
      }
      // Night gathers at the picture's edges.
      const double dx = (x - 512) / 760, dy = (y - 384) / 520;
      colour = Shade(colour, -0.45 * Clamp01(dx * dx + dy * dy - 0.25));
      row[px] = Pixel(colour);
    }
  }
  cairo_surface_mark_dirty(surface);
}

// Trodden ground under every build spot, so that a plinth stands on land.
void SpotPads(cairo_t* cr, const MapPlan& plan, const MapTheme& theme) {
  for (const MapSpot& spot : plan.Level().spots) {
    const double cx = spot.at.x, cy = spot.at.y + 8;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, 0.58);
    cairo_pattern_t* pad = cairo_pattern_create_radial(0, 0, 0, 0, 0, 62);
    const Rgb earth = theme.boardwalk ? Hex(0x3A3224) : Shade(kChalk, -0.42);
    cairo_pattern_add_color_stop_rgba(pad, 0.0, earth.r, earth.g, earth.b, 1);
    cairo_pattern_add_color_stop_rgba(pad, 0.7, earth.r, earth.g, earth.b, 0.9);
    cairo_pattern_add_color_stop_rgba(pad, 1.0, earth.r, earth.g, earth.b, 0);
    cairo_set_source(cr, pad);
    cairo_arc(cr, 0, 0, 62, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pad);
    cairo_restore(cr);
  }
}

// Small things on the ground: lily pads and grass in the marsh, pebbles,
// salt pans and foam by the sea.
void GroundDetails(cairo_t* cr, const MapPlan& plan, const MapTheme& theme) {
  MapRandom random(plan.Seed() + 29);
  for (int i = 0; i < 420; ++i) {
    const double x = random.Range(kMapLeft, kMapLeft + kMapWidth), y = random.Range(0, kMapHeight);
    const double size = random.Range(0.7, 1.3);
    if (plan.CoarseRoadDistance(x, y) < kRoadWidth / 2 + 10 || plan.SpotDistance(x, y) < 50) continue;
    const double h = GroundHeight(plan, theme, x, y);
    const bool water = h < theme.waterLevel;
    cairo_new_path(cr);
    if (water && theme.boardwalk) {
      if (i % 3 != 0) continue;
      cairo_move_to(cr, x, y);
      cairo_arc(cr, x, y, 7 * size, 0.4, 2 * M_PI - 0.1);
      cairo_close_path(cr);
      Flat(cr, Shade(kMarshLight, -0.1), 0.85);
    } else if (water) {
      if (i % 4 != 0) continue;
      Ellipse(cr, x, y, 9 * size, 1.6);
      SetColour(cr, kChalkLight, 0.2);
      cairo_fill(cr);
    } else if (i % 5 == 0 && !theme.boardwalk) {
      Ellipse(cr, x, y, 22 * size, 9 * size);
      SetColour(cr, kChalkLight, 0.12);
      cairo_fill(cr);
    } else if (i % 2 == 0 && !theme.boardwalk) {
      Ellipse(cr, x, y, 3.5 * size, 2.6 * size);
      Flat(cr, Shade(kChalk, random.Range(-0.35, -0.1)));
    } else {
      // A tuft: a fan of short blades.
      for (int blade = -2; blade <= 2; ++blade) {
        cairo_move_to(cr, x + blade * 1.5, y);
        cairo_line_to(cr, x + blade * 3.5 * size, y - 9 * size + std::abs(blade) * 2);
      }
      cairo_set_line_width(cr, 1.4);
      SetColour(cr, Shade(theme.landLight, 0.15), 0.8);
      cairo_stroke(cr);
    }
  }
}

// Dusk mist where the enemies come from, lamplight where they go and under
// every lantern post.
void Lights(cairo_t* cr, const MapPlan& plan, const std::vector<Scenery>& scenery) {
  for (const MapPoint& spawn : plan.Level().spawns) Glow(cr, spawn.x, spawn.y, 190, kDusk, 0.45);
  for (const MapPoint& goal : plan.Level().goals) {
    Glow(cr, goal.x, goal.y, 200, kLantern, 0.32);
    Glow(cr, goal.x, goal.y, 70, kLanternLight, 0.25);
  }
  for (const Scenery& item : scenery)
    if (item.kind == SceneryKind::Lantern) Glow(cr, item.base.x, item.base.y - 10, 90, kLantern, 0.22);
}

}  // namespace

const MapTheme& ThemeOf(int episode) {
  static const MapTheme reedmarsh{kMarsh, kMarshLight, Hex(0x3A3224), kWater, kWaterLight, 0.5, 0.14, 0.1, true};
  static const MapTheme saltcliffs{Shade(Hex(0x59654A), -0.1), Shade(kChalk, -0.38), Shade(kChalk, -0.1),
                                   kWater, kWaterLight, 0.44, 0.3, 0.3, false};
  return episode == 2 ? saltcliffs : reedmarsh;
}

double GroundHeight(const MapPlan& plan, const MapTheme& theme, double x, double y) {
  const double n = Fbm(x / 230, y / 230, plan.Seed(), 4);
  const double road = plan.CoarseRoadDistance(x, y);
  const double spot = plan.SpotDistance(x, y);
  const double ex = std::max(0.0, std::abs(x - 512) - 520) / 170, ey = std::max(0.0, std::abs(y - 384) - 250) / 134;
  return n + theme.roadLift * std::exp(-road * road / (110.0 * 110.0)) +
         0.4 * std::exp(-spot * spot / (75.0 * 75.0)) - theme.edgeSea * Clamp01(std::max(ex, ey));
}

void DrawBackground(cairo_t* cr, const MapPlan& plan, const MapTheme& theme, const std::vector<Scenery>& scenery) {
  PaintGround(cr, plan, theme);
  cairo_translate(cr, -kMapLeft, 0);
  GroundDetails(cr, plan, theme);
  SpotPads(cr, plan, theme);
  DrawRoads(cr, plan, theme);
  Lights(cr, plan, scenery);
}

}  // namespace art
