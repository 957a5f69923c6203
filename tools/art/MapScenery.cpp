#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/art/MapParts.h"

namespace art {

namespace {

using namespace palette;

// What a piece of scenery must keep clear of. Scenery is drawn in front of
// every unit and tower, so it also keeps clear of the room above a road or a
// spot where their bodies stand.
constexpr double kBodyHeight = 100;
constexpr double kRoadClearance = kRoadWidth / 2 + 12;
constexpr double kSpotClearance = 50;
constexpr double kSpacing = 60;

struct KindChoice {
  SceneryKind kind;
  int weight;
};

bool OnGround(const MapTheme& theme, double height, SceneryKind kind) {
  // Reeds stand in the shallows and by the shore, the rest on dry land.
  if (kind == SceneryKind::Reeds) return height > theme.waterLevel - 0.07 && height < theme.waterLevel + 0.12;
  return height > theme.waterLevel + 0.035;
}

bool Clear(const MapPlan& plan, const Scenery& item) {
  const SceneryCell cell = CellOf(item);
  const double left = item.base.x + cell.left, top = item.base.y + cell.top;
  if (left < kMapLeft + 4 || left + cell.width > kMapLeft + kMapWidth - 4 || top < 4 || item.base.y > kMapHeight - 6)
    return false;
  const double bottom = item.base.y + kBodyHeight;
  for (int i = 0; i <= 4; ++i) {
    for (int j = 0; j <= 6; ++j) {
      const double x = left + cell.width * i / 4.0, y = top + (bottom - top) * j / 6.0;
      if (plan.RoadDistance(x, y) < kRoadClearance || plan.SpotDistance(x, y) < kSpotClearance) return false;
    }
  }
  return true;
}

void Blade(cairo_t* cr, double x, double lean, double height, double width, Rgb colour) {
  cairo_new_path(cr);
  cairo_move_to(cr, x, 0);
  cairo_curve_to(cr, x, -height * 0.5, x + lean * 0.5, -height * 0.8, x + lean, -height);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, width + 2);
  SetColour(cr, kOutline, 0.6);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  SetColour(cr, colour);
  cairo_stroke(cr);
}

void Reeds(cairo_t* cr, MapRandom& random) {
  cairo_new_path(cr);
  Ellipse(cr, 0, 0, 20, 5);
  cairo_set_line_width(cr, 1.5);
  SetColour(cr, kWaterLight, 0.6);
  cairo_stroke(cr);
  const int blades = 7 + static_cast<int>(random.Range(0, 3));
  for (int i = 0; i < blades; ++i) {
    const double x = random.Range(-11, 11);
    const double lean = x * 0.8 + random.Range(-8, 8);
    const double height = random.Range(48, 80);
    Blade(cr, x, lean, height, 2.6, Shade(kMarshLight, random.Range(-0.25, 0.1)));
    if (i % 3 == 0) {
      // A cattail head near the top of the stem.
      cairo_save(cr);
      cairo_translate(cr, x + lean * 0.93, -height * 0.93);
      cairo_rotate(cr, std::atan2(lean, height) * 0.8);
      cairo_new_path(cr);
      RoundedRect(cr, -3, -8, 6, 16, 3);
      Solid(cr, Hex(0x5A3A22));
      cairo_restore(cr);
    }
  }
}

void Lantern(cairo_t* cr) {
  cairo_new_path(cr);
  Ellipse(cr, 0, 0, 11, 4);
  Flat(cr, Shade(kStone, -0.2));
  cairo_new_path(cr);
  RoundedRect(cr, -3.5, -78, 7, 78, 2);
  Solid(cr, kWood);
  cairo_new_path(cr);
  RoundedRect(cr, -3, -82, 16, 5, 2);
  Solid(cr, Shade(kWood, -0.1));
  cairo_new_path(cr);
  cairo_move_to(cr, 10, -77);
  cairo_line_to(cr, 10, -72);
  cairo_set_line_width(cr, 1.5);
  SetColour(cr, kIron);
  cairo_stroke(cr);
  Glow(cr, 10, -62, 26, kLantern, 0.55);
  cairo_new_path(cr);
  RoundedRect(cr, 4, -72, 12, 16, 3);
  Solid(cr, kBrass);
  cairo_new_path(cr);
  RoundedRect(cr, 6.5, -69, 7, 10, 2);
  SetColour(cr, kLanternCore);
  cairo_fill(cr);
}

void Stump(cairo_t* cr) {
  cairo_new_path(cr);
  Ellipse(cr, 0, 0, 22, 6);
  SetColour(cr, kOutline, 0.35);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, -14, 0);
  cairo_line_to(cr, -12, -22);
  cairo_line_to(cr, 12, -22);
  cairo_line_to(cr, 15, 0);
  cairo_close_path(cr);
  Solid(cr, Shade(kWood, -0.2));
  cairo_new_path(cr);
  Ellipse(cr, 0, -22, 12, 4.5);
  Solid(cr, Shade(kWood, 0.25));
  cairo_new_path(cr);
  Ellipse(cr, 0, -22, 6, 2.2);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Shade(kWood, -0.3));
  cairo_stroke(cr);
  cairo_new_path(cr);
  Ellipse(cr, -6, -6, 6, 3);
  SetColour(cr, kMarshLight, 0.9);
  cairo_fill(cr);
}

void Rock(cairo_t* cr, MapRandom& random) {
  cairo_new_path(cr);
  Ellipse(cr, 0, 0, 28, 7);
  SetColour(cr, kOutline, 0.35);
  cairo_fill(cr);
  const double w = random.Range(20, 27), h = random.Range(26, 36);
  cairo_new_path(cr);
  cairo_move_to(cr, -w, 0);
  cairo_curve_to(cr, -w - 3, -h * 0.6, -w * 0.4, -h, w * 0.1, -h);
  cairo_curve_to(cr, w * 0.7, -h, w + 3, -h * 0.5, w, 0);
  cairo_close_path(cr);
  Solid(cr, Shade(kChalk, random.Range(-0.35, -0.2)));
  cairo_new_path(cr);
  cairo_move_to(cr, -w * 0.2, -h * 0.85);
  cairo_line_to(cr, w * 0.05, -h * 0.5);
  cairo_line_to(cr, -w * 0.15, -h * 0.25);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, kOutline, 0.5);
  cairo_stroke(cr);
}

void Tussock(cairo_t* cr, MapRandom& random) {
  for (int i = 0; i < 11; ++i) {
    const double x = random.Range(-10, 10);
    Blade(cr, x, x * 1.4 + random.Range(-5, 5), random.Range(18, 32), 2, Shade(Hex(0x9A9860), random.Range(-0.3, 0)));
  }
}

}  // namespace

SceneryCell CellOf(const Scenery& scenery) {
  SceneryCell cell{};
  switch (scenery.kind) {
    case SceneryKind::Reeds: cell = {-34, -92, 68, 100}; break;
    case SceneryKind::Lantern: cell = {-36, -100, 72, 108}; break;
    case SceneryKind::Stump: cell = {-26, -34, 52, 42}; break;
    case SceneryKind::Rock: cell = {-34, -44, 68, 52}; break;
    case SceneryKind::Tussock: cell = {-28, -40, 56, 46}; break;
  }
  const double s = scenery.scale;
  return {static_cast<int>(std::floor(cell.left * s)), static_cast<int>(std::floor(cell.top * s)),
          static_cast<int>(std::ceil(cell.width * s)) + 1, static_cast<int>(std::ceil(cell.height * s)) + 1};
}

void DrawScenery(cairo_t* cr, const Scenery& scenery) {
  const SceneryCell cell = CellOf(scenery);
  cairo_translate(cr, -cell.left, -cell.top);
  cairo_scale(cr, scenery.mirrored ? -scenery.scale : scenery.scale, scenery.scale);
  MapRandom random(scenery.seed);
  switch (scenery.kind) {
    case SceneryKind::Reeds: Reeds(cr, random); break;
    case SceneryKind::Lantern: Lantern(cr); break;
    case SceneryKind::Stump: Stump(cr); break;
    case SceneryKind::Rock: Rock(cr, random); break;
    case SceneryKind::Tussock: Tussock(cr, random); break;
  }
}

std::string LayerNameOf(const Scenery& scenery, int number) {
  static const char* const kNames[] = {"reeds", "lantern", "stump", "rock", "tussock"};
  char name[32];
  std::snprintf(name, sizeof(name), "^%s_%02d", kNames[static_cast<int>(scenery.kind)], number);
  return name;
}

std::vector<Scenery> PlaceScenery(const MapPlan& plan, const MapTheme& theme) {
  const std::vector<KindChoice> kinds =
      theme.boardwalk ? std::vector<KindChoice>{{SceneryKind::Reeds, 7}, {SceneryKind::Lantern, 2}, {SceneryKind::Stump, 2}}
                      : std::vector<KindChoice>{{SceneryKind::Rock, 5}, {SceneryKind::Tussock, 4}, {SceneryKind::Lantern, 2}};
  int totalWeight = 0;
  for (const KindChoice& choice : kinds) totalWeight += choice.weight;
  constexpr int kWanted = 16;
  constexpr int kTries = 900;
  MapRandom random(plan.Seed() + 41);
  std::vector<Scenery> placed;
  for (int attempt = 0; attempt < kTries && static_cast<int>(placed.size()) < kWanted; ++attempt) {
    double pick = random.Range(0, totalWeight);
    SceneryKind kind = kinds.front().kind;
    for (const KindChoice& choice : kinds) {
      if (pick < choice.weight) {
        kind = choice.kind;
        break;
      }
      pick -= choice.weight;
    }
    Scenery item{kind, {random.Range(kMapLeft, kMapLeft + kMapWidth), random.Range(0, kMapHeight)},
                 random.Range(0.8, 1.15), random.Next() < 0.5, static_cast<std::uint64_t>(random.Next() * 1e15)};
    if (!OnGround(theme, GroundHeight(plan, theme, item.base.x, item.base.y), kind)) continue;
    bool crowded = false;
    for (const Scenery& other : placed)
      crowded = crowded || std::hypot(other.base.x - item.base.x, other.base.y - item.base.y) < kSpacing;
    if (crowded || !Clear(plan, item)) continue;
    placed.push_back(item);
  }
  // The map draws these layers in their order: the nearer ones last.
  std::sort(placed.begin(), placed.end(), [](const Scenery& a, const Scenery& b) { return a.base.y < b.base.y; });
  return placed;
}

std::vector<MapPoint> PlaceEffects(const MapPlan& plan, const MapTheme& theme) {
  constexpr int kWanted = 4;
  MapRandom random(plan.Seed() + 53);
  std::vector<MapPoint> points;
  // Over open water or marsh first; anywhere clear of the roads when a map
  // has too little of it.
  for (int attempt = 0; attempt < 2000 && static_cast<int>(points.size()) < kWanted; ++attempt) {
    const MapPoint p{random.Range(-100, 1124), random.Range(60, 700)};
    const bool open = GroundHeight(plan, theme, p.x, p.y) < theme.waterLevel + (theme.boardwalk ? 0.08 : 0.0);
    if (!open && attempt < 1000) continue;
    if (plan.RoadDistance(p.x, p.y) < 70 || plan.SpotDistance(p.x, p.y) < 70) continue;
    bool crowded = false;
    for (const MapPoint& other : points) crowded = crowded || std::hypot(other.x - p.x, other.y - p.y) < 200;
    if (!crowded) points.push_back(p);
  }
  return points;
}

}  // namespace art
