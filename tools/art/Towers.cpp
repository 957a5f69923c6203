#include "tools/art/Towers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/art/Paint.h"

namespace art {

namespace {

using namespace palette;

constexpr int kCellWidth = 152;
constexpr int kCellHeight = 208;
constexpr int kBaseX = kCellWidth / 2;
constexpr int kBaseY = 180;
constexpr int kDirections = 32;
constexpr int kRecoilFrames = 4;
// How much a length along the ground shrinks seen from the game's camera.
constexpr double kForeshortening = 0.6;

// Towers are drawn in a design size a little below game size.
double TierScale(int tier) { return 1.3 * (1.0 + 0.08 * (tier - 1)); }

// A round-capped bar with its outline.
void Bar(cairo_t* cr, double x1, double y1, double x2, double y2, double width, Rgb colour) {
  OutlinedLine(cr, x1, y1, x2, y2, width, colour);
  // Its highlight: a thin lighter line along the upper edge.
  cairo_set_line_width(cr, width * 0.3);
  SetColour(cr, Shade(colour, 0.45), 0.6);
  cairo_translate(cr, 0, -width * 0.22);
  cairo_stroke(cr);
  cairo_translate(cr, 0, width * 0.22);
}

// An upright cylinder standing on (0, bottom): side, then its lighter top.
void Drum(cairo_t* cr, double bottom, double rx, double height, Rgb colour) {
  const double ry = rx * 0.38;
  cairo_new_path(cr);
  cairo_move_to(cr, -rx, bottom - height);
  cairo_line_to(cr, -rx, bottom);
  cairo_save(cr);
  cairo_translate(cr, 0, bottom);
  cairo_scale(cr, rx, ry);
  cairo_arc_negative(cr, 0, 0, 1, M_PI, 0);
  cairo_restore(cr);
  cairo_line_to(cr, rx, bottom - height);
  cairo_close_path(cr);
  Solid(cr, Shade(colour, -0.18));
  cairo_new_path(cr);
  Ellipse(cr, 0, bottom - height, rx, ry);
  Flat(cr, Shade(colour, 0.12));
}

void Post(cairo_t* cr, double bottom, double top, double width, Rgb wood = kWood) {
  cairo_new_path(cr);
  RoundedRect(cr, -width / 2, top, width, bottom - top, 2);
  Solid(cr, wood);
  cairo_new_path(cr);
  cairo_move_to(cr, -width * 0.15, top + 4);
  cairo_line_to(cr, -width * 0.15, bottom - 3);
  cairo_set_line_width(cr, 1);
  SetColour(cr, Shade(wood, -0.4), 0.6);
  cairo_stroke(cr);
}

void Band(cairo_t* cr, double y, double width, Rgb colour = kBrass) {
  cairo_new_path(cr);
  RoundedRect(cr, -width / 2 - 1, y - 2, width + 2, 4, 1.5);
  Flat(cr, colour);
}

// The stone plinth every tower stands on, larger with the tier.
void Plinth(cairo_t* cr, int tier, Rgb stone = kStone) {
  Drum(cr, 0, 24 + tier * 1.5, 8 + tier, stone);
  if (tier >= 3) {
    cairo_new_path(cr);
    Ellipse(cr, 0, -9 - tier, 14, 5);
    SetColour(cr, kChalk, 0.35);
    cairo_fill(cr);
  }
}

struct Aim {
  double vx, vy;  // unit direction on the ground
};

Aim DirectionOf(int d) {
  const double a = (kDirections - 1 - d + 0.5) * (360.0 / kDirections) * M_PI / 180.0;
  return {std::sin(a), std::cos(a)};
}

// The head of a rotating tower at (0, y), pointing along aim and pulled back
// by recoil pixels; returns the muzzle point at rest.
struct Point {
  double x, y;
};

Point HeadTip(const TowerDesign& tower, Aim aim, double y, double back) {
  const double length = (tower.kind == TowerKind::Cannon || tower.kind == TowerKind::Brand ? 20.0 : 22.0) +
                        2.0 * (tower.tier - 1);
  return {aim.vx * (length - back), y + aim.vy * (length - back) * kForeshortening};
}

double HeadHeight(const TowerDesign& tower) {
  switch (tower.kind) {
    case TowerKind::Cannon:
    case TowerKind::Brand: return 30 + tower.tier * 2;
    default: return 46 + tower.tier * 4;
  }
}

void WickBarrel(cairo_t* cr, const TowerDesign& tower, Aim aim, double y, double back, int frame) {
  const Point tip = HeadTip(tower, aim, y, back);
  const Point rear{-aim.vx * (8 + back), y - aim.vy * (8 + back) * kForeshortening};
  const bool spark = tower.kind == TowerKind::Sparkstorm;
  // Across the barrel, for the bow and the twin rails.
  const double nx = -aim.vy, ny = aim.vx * kForeshortening;
  if (spark) {
    for (double side : {-4.0, 4.0}) {
      Bar(cr, rear.x + nx * side, rear.y + ny * side, tip.x + nx * side, tip.y + ny * side, 5, kBrass);
      Glow(cr, tip.x + nx * side, tip.y + ny * side, 6, kEmber, 0.9);
    }
  } else {
    Bar(cr, rear.x, rear.y, tip.x, tip.y, 5 + tower.tier * 0.5, kWood);
    const double bx = rear.x + (tip.x - rear.x) * 0.7, by = rear.y + (tip.y - rear.y) * 0.7;
    const double span = 12 + tower.tier * 1.5;
    cairo_new_path(cr);
    cairo_move_to(cr, bx + nx * span, by + ny * span);
    cairo_curve_to(cr, bx + nx * span * 0.4 + aim.vx * 5, by + ny * span * 0.4 + aim.vy * 3, bx - nx * span * 0.4 + aim.vx * 5,
                   by - ny * span * 0.4 + aim.vy * 3, bx - nx * span, by - ny * span);
    cairo_set_line_width(cr, 5);
    SetColour(cr, kOutline, 0.7);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetColour(cr, tower.tier >= 2 ? kBrass : Shade(kWood, 0.2));
    cairo_stroke(cr);
    cairo_new_path(cr);
    Ellipse(cr, tip.x, tip.y, 2.2, 2.2);
    Flat(cr, kLanternLight);
  }
  if (frame == 1 || frame == 2) {
    const double power = frame == 1 ? 1.0 : 0.5;
    Glow(cr, tip.x + aim.vx * 4, tip.y + aim.vy * 3, 10 * power + 4, spark ? kEmber : kLantern, power);
  }
}

void CannonBarrel(cairo_t* cr, const TowerDesign& tower, Aim aim, double y, double back, int frame) {
  const Point tip = HeadTip(tower, aim, y, back);
  const Point rear{-aim.vx * (6 + back), y - aim.vy * (6 + back) * kForeshortening};
  const bool brand = tower.kind == TowerKind::Brand;
  const double width = 10 + tower.tier * 1.5;
  Bar(cr, rear.x, rear.y, tip.x, tip.y, width, brand ? Hex(0x7A2E1E) : kIron);
  cairo_new_path(cr);
  Ellipse(cr, tip.x, tip.y, width * 0.55, width * 0.55 * (0.55 + 0.45 * std::fabs(aim.vy)));
  Flat(cr, brand ? kFire : kBrass);
  if (brand) Glow(cr, tip.x, tip.y, 9, kFire, 0.6);
  if (frame == 1 || frame == 2) {
    const double power = frame == 1 ? 1.0 : 0.45;
    Glow(cr, tip.x + aim.vx * 6, tip.y + aim.vy * 4, 16 * power + 4, kFireLight, power);
    Glow(cr, tip.x + aim.vx * 6, tip.y + aim.vy * 4, 6 * power + 2, kLanternCore, power);
  }
}

// Rotating towers: the parts that never turn.
void RotatingBase(cairo_t* cr, const TowerDesign& tower) {
  const bool cannon = tower.kind == TowerKind::Cannon || tower.kind == TowerKind::Brand;
  Plinth(cr, tower.tier, cannon ? Shade(kStone, -0.15) : kStone);
  const double head = HeadHeight(tower);
  if (cannon) {
    Drum(cr, -8 - tower.tier, 17 + tower.tier, head - 12 - tower.tier, tower.kind == TowerKind::Brand ? Hex(0x5A3A30) : kIron);
    Band(cr, -12 - tower.tier, 34 + tower.tier * 2, kBrass);
  } else {
    Post(cr, -8 - tower.tier, -head + 6, 10 + tower.tier);
    if (tower.tier >= 2) Band(cr, -head * 0.5, 10 + tower.tier);
    if (tower.tier >= 3) Band(cr, -head * 0.75, 10 + tower.tier);
  }
}

void RotatingHead(cairo_t* cr, const TowerDesign& tower, Aim aim, int frame) {
  static constexpr double kRecoil[kRecoilFrames] = {0, 5, 3, 1};
  const double y = -HeadHeight(tower);
  const double back = kRecoil[frame];
  const bool cannon = tower.kind == TowerKind::Cannon || tower.kind == TowerKind::Brand;
  auto barrel = [&] {
    if (cannon) CannonBarrel(cr, tower, aim, y, back, frame);
    else WickBarrel(cr, tower, aim, y, back, frame);
  };
  // Pointing away, the barrel hides behind the turret.
  if (aim.vy < 0) barrel();
  if (cannon) {
    cairo_new_path(cr);
    Ellipse(cr, 0, y, 13 + tower.tier, 9 + tower.tier * 0.5);
    Solid(cr, tower.kind == TowerKind::Brand ? Hex(0x6A3426) : Shade(kIron, 0.1));
    Glow(cr, -aim.vx * 6, y - 2, 8, tower.kind == TowerKind::Brand ? kFire : kFireLight, 0.45);
  } else {
    const Rgb light = tower.kind == TowerKind::Sparkstorm ? kEmber : kLantern;
    Glow(cr, 0, y - 4, 24, light, 0.55);
    cairo_new_path(cr);
    RoundedRect(cr, -9, y - 14, 18, 19, 5);
    Solid(cr, kBrass);
    cairo_new_path(cr);
    RoundedRect(cr, -5.5, y - 10.5, 11, 12, 3);
    SetColour(cr, Shade(light, 0.5));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, -12, y - 13);
    cairo_line_to(cr, 0, y - 23 - tower.tier);
    cairo_line_to(cr, 12, y - 13);
    cairo_close_path(cr);
    Solid(cr, tower.tier >= 3 ? Hex(0x8A3A2A) : Shade(kBrass, -0.2));
  }
  if (aim.vy >= 0) barrel();
}

// Non-rotating towers, drawn at one moment of "idle" (t in 0 ... 1) or of
// "blast" (t in 0 ... 1).
struct Moment {
  bool blast;
  double t;
};

void Lamp(cairo_t* cr, double y, double size, Rgb glass, Rgb frame, double light) {
  Glow(cr, 0, y, size * 2.6, glass, 0.35 + 0.45 * light);
  cairo_new_path(cr);
  RoundedRect(cr, -size, y - size * 1.1, size * 2, size * 2.2, size * 0.5);
  Solid(cr, frame);
  cairo_new_path(cr);
  RoundedRect(cr, -size * 0.62, y - size * 0.75, size * 1.24, size * 1.5, size * 0.3);
  SetColour(cr, Shade(glass, 0.35 + 0.3 * light));
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, -size * 1.25, y - size * 1.05);
  cairo_line_to(cr, 0, y - size * 2.0);
  cairo_line_to(cr, size * 1.25, y - size * 1.05);
  cairo_close_path(cr);
  Solid(cr, Shade(frame, -0.2));
  Glow(cr, 0, y, size * 1.2, kLanternCore, 0.3 + 0.5 * light);
}

// The height of the point a static tower's beam or light starts from.
double SourceHeight(const TowerDesign& tower) {
  switch (tower.kind) {
    case TowerKind::Homeward: return 74;
    case TowerKind::Bell: return 52;
    case TowerKind::Mortar:
    case TowerKind::Tar:
    case TowerKind::Blight: return 40 + tower.tier * 3;
    default: return 60 + tower.tier * 6;
  }
}

void Homeward(cairo_t* cr, const TowerDesign& tower, Moment m) {
  Plinth(cr, tower.tier, kChalk);
  Post(cr, -12, -66, 11);
  Band(cr, -40, 11);
  const double y = -SourceHeight(tower);
  const double light = m.blast ? std::sin(M_PI * m.t) : 0.3 + 0.2 * std::sin(m.t * 2 * M_PI);
  Glow(cr, 0, y, 24 + 14 * light, Hex(0x7FE8E0), 0.4 + 0.5 * light);
  // A gold ring holding the prism.
  cairo_new_path(cr);
  Ellipse(cr, 0, y, 12, 12);
  cairo_set_line_width(cr, 4);
  SetColour(cr, kBrass);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, y - 9);
  cairo_line_to(cr, 7, y);
  cairo_line_to(cr, 0, y + 9);
  cairo_line_to(cr, -7, y);
  cairo_close_path(cr);
  Solid(cr, Hex(0xBFF5EE));
  Glow(cr, 0, y, 8 + 6 * light, kLanternCore, 0.6 + 0.4 * light);
}

void Bell(cairo_t* cr, const TowerDesign& tower, Moment m) {
  Plinth(cr, tower.tier - 1, Shade(kStone, 0.1));
  for (double x : {-18.0, 18.0}) {
    cairo_save(cr);
    cairo_translate(cr, x, 0);
    Post(cr, -10, -70, 7);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  RoundedRect(cr, -26, -76, 52, 8, 3);
  Solid(cr, kWood);
  cairo_new_path(cr);
  cairo_move_to(cr, -24, -76);
  cairo_line_to(cr, 0, -90);
  cairo_line_to(cr, 24, -76);
  cairo_close_path(cr);
  Solid(cr, Hex(0x8A3A2A));
  const double swing = m.blast ? 0.45 * std::sin(m.t * 2 * M_PI) : 0.05 * std::sin(m.t * 2 * M_PI);
  cairo_save(cr);
  cairo_translate(cr, 0, -68);
  cairo_rotate(cr, swing);
  cairo_new_path(cr);
  cairo_move_to(cr, -6, 0);
  cairo_curve_to(cr, -8, 8, -10, 18, -16, 24);
  cairo_line_to(cr, 16, 24);
  cairo_curve_to(cr, 10, 18, 8, 8, 6, 0);
  cairo_close_path(cr);
  Solid(cr, Hex(0xC0803A));
  cairo_new_path(cr);
  Ellipse(cr, 0, 26, 4, 3);
  Flat(cr, kIron);
  cairo_restore(cr);
  if (m.blast) {
    // Sound rings spreading from the bell.
    const double r = 12 + 30 * m.t;
    cairo_new_path(cr);
    Ellipse(cr, 0, -56, r, r * 0.6);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kLanternLight, 0.8 * (1 - m.t));
    cairo_stroke(cr);
    Glow(cr, 0, -56, 20, kLanternLight, 0.5 * (1 - m.t));
  }
}

void MortarTub(cairo_t* cr, const TowerDesign& tower, Moment m) {
  const Rgb body = tower.kind == TowerKind::Tar      ? Hex(0x2E2A26)
                   : tower.kind == TowerKind::Blight ? Hex(0x3E5A36)
                                                     : Shade(kIron, 0.08);
  const Rgb light = tower.kind == TowerKind::Tar      ? kFire
                    : tower.kind == TowerKind::Blight ? Hex(0x9CFF6A)
                                                      : kLantern;
  Plinth(cr, tower.tier);
  const double squash = m.blast ? 1.0 - 0.12 * std::sin(M_PI * std::min(1.0, m.t * 2.5)) : 1.0;
  const double top = -SourceHeight(tower) * squash;
  const double rx = 14 + tower.tier * 2;
  // A wooden bed, and on it the squat barrel widening to its mouth.
  cairo_new_path(cr);
  RoundedRect(cr, -rx * 1.15, -22, rx * 2.3, 14, 3);
  Solid(cr, kWood);
  for (double x : {-rx * 0.8, rx * 0.8}) {
    cairo_new_path(cr);
    Ellipse(cr, x, -10, 5, 5);
    Flat(cr, kIron);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, -rx * 0.7, -16);
  cairo_curve_to(cr, -rx * 1.1, top * 0.55, -rx * 0.8, top * 0.85, -rx, top);
  cairo_line_to(cr, rx, top);
  cairo_curve_to(cr, rx * 0.8, top * 0.85, rx * 1.1, top * 0.55, rx * 0.7, -16);
  cairo_close_path(cr);
  Solid(cr, body);
  for (int i = 0; i < std::min(tower.tier, 2); ++i) Band(cr, top * (0.62 + 0.22 * i), rx * 1.95);
  Band(cr, top + 3, rx * 2.05);
  cairo_new_path(cr);
  Ellipse(cr, 0, top, rx, rx * 0.38);
  Flat(cr, Shade(body, 0.2));
  const double flicker = m.blast ? 0.5 : 0.5 + 0.3 * std::sin(m.t * 2 * M_PI);
  cairo_new_path(cr);
  Ellipse(cr, 0, top + 1, rx * 0.7, rx * 0.25);
  SetColour(cr, Shade(light, -0.3 + 0.4 * flicker));
  cairo_fill(cr);
  Glow(cr, 0, top, rx * 1.4, light, 0.3 + 0.4 * flicker);
  if (tower.kind == TowerKind::Tar) {
    // Tar running over the lip.
    for (double x : {-rx * 0.55, rx * 0.15, rx * 0.65}) {
      cairo_new_path(cr);
      RoundedRect(cr, x - 2, top + 2, 4, 9 + std::fabs(x) * 0.3, 2);
      SetColour(cr, Hex(0x14110E));
      cairo_fill(cr);
    }
  }
  if (m.blast && m.t > 0.15) {
    const double s = (m.t - 0.15) / 0.85;
    Glow(cr, 0, top - 6 - 10 * s, 22 * (1 - s) + 6, kFireLight, 1 - s);
    for (int k = 0; k < 3; ++k) {
      cairo_new_path(cr);
      Ellipse(cr, (k - 1) * 8 * s, top - 10 - 22 * s - k * 3, 6 + 8 * s, 5 + 6 * s);
      SetColour(cr, kChalk, 0.55 * (1 - s));
      cairo_fill(cr);
    }
  }
}

void LanternPost(cairo_t* cr, const TowerDesign& tower, Moment m) {
  const Rgb glass = tower.kind == TowerKind::Forge  ? kFire
                    : tower.kind == TowerKind::Toll ? kCoin
                                                    : kLanternCore;
  Plinth(cr, tower.tier, tower.kind == TowerKind::Watch ? kStone : Shade(kStone, -0.1));
  const double y = -SourceHeight(tower);
  Post(cr, -10, y + 10, 11 + tower.tier * 1.5);
  Band(cr, y + 14, 11 + tower.tier * 1.5);
  // Struts under the lamp's ledge.
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, side * 5, y + 22);
    cairo_line_to(cr, side * 14, y + 10);
    cairo_set_line_width(cr, 3);
    SetColour(cr, Shade(kWood, -0.2));
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  RoundedRect(cr, -16, y + 8, 32, 5, 2);
  Solid(cr, kWood);
  if (tower.kind == TowerKind::Forge) {
    cairo_new_path(cr);
    cairo_move_to(cr, -16, -14);
    cairo_line_to(cr, 14, -14);
    cairo_line_to(cr, 10, -6);
    cairo_line_to(cr, 4, -6);
    cairo_line_to(cr, 4, -2);
    cairo_line_to(cr, -8, -2);
    cairo_line_to(cr, -8, -6);
    cairo_line_to(cr, -12, -6);
    cairo_close_path(cr);
    Solid(cr, kIron);
  }
  if (tower.kind == TowerKind::Toll) {
    cairo_new_path(cr);
    RoundedRect(cr, 8, -22, 16, 13, 2);
    Solid(cr, kWood);
    cairo_new_path(cr);
    Ellipse(cr, 16, -23, 5, 2.5);
    Flat(cr, kCoin);
  }
  const double light = m.blast ? std::sin(M_PI * m.t) : 0.5 + 0.35 * std::sin(m.t * 2 * M_PI + 1.3);
  const double size = 9 + tower.tier * 1.2;
  Lamp(cr, y, size, glass, tower.kind == TowerKind::Watch ? kBrass : Shade(kBrass, -0.25), light);
  if (tower.kind == TowerKind::Watch) {
    // The watch lens that finds what hides in the dusk.
    cairo_new_path(cr);
    Ellipse(cr, 0, y, size * 0.55, size * 0.55);
    cairo_set_line_width(cr, 2);
    SetColour(cr, kBrass);
    cairo_stroke(cr);
  }
  if (m.blast) Glow(cr, 0, y, 24 + 14 * light, glass, 0.6 * light);
}

void StaticTower(cairo_t* cr, const TowerDesign& tower, Moment m) {
  switch (tower.kind) {
    case TowerKind::Homeward: Homeward(cr, tower, m); break;
    case TowerKind::Bell: Bell(cr, tower, m); break;
    case TowerKind::Mortar:
    case TowerKind::Tar:
    case TowerKind::Blight: MortarTub(cr, tower, m); break;
    default: LanternPost(cr, tower, m); break;
  }
}

int BlastFrames(TowerKind kind) {
  switch (kind) {
    case TowerKind::Bell: return 4;
    case TowerKind::Watch:
    case TowerKind::Forge:
    case TowerKind::Toll: return 4;
    default: return 6;
  }
}

// Every drawing of a tower is made about its base point at the cell's
// (kBaseX, kBaseY), scaled with its tier.
template <class Draw>
Drawing AtBase(const TowerDesign& tower, Draw draw) {
  return [tower, draw](cairo_t* cr) {
    cairo_translate(cr, kBaseX, kBaseY);
    const double s = TierScale(tower.tier);
    cairo_scale(cr, s, s);
    draw(cr);
  };
}

std::string Numbered(const std::string& prefix, int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", n);
  return prefix + text;
}

}  // namespace

bool IsRotating(TowerKind kind) {
  return kind == TowerKind::Wick || kind == TowerKind::Sparkstorm || kind == TowerKind::Cannon ||
         kind == TowerKind::Brand;
}

const std::vector<TowerSheet>& TowerSheets() {
  using K = TowerKind;
  static const std::vector<TowerSheet> sheets = {
      {"kp/towers/dart",
       {{"t_wick_1", K::Wick, 1}, {"t_wick_2", K::Wick, 2}, {"t_wick_3", K::Wick, 3},
        {"t_sparkstorm", K::Sparkstorm, 4}, {"t_homeward", K::Homeward, 4}}},
      {"kp/towers/cannon",
       {{"t_cannon_1", K::Cannon, 1}, {"t_cannon_2", K::Cannon, 2}, {"t_cannon_3", K::Cannon, 3},
        {"t_brand", K::Brand, 4}, {"t_bell", K::Bell, 4}}},
      {"kp/towers/artillery",
       {{"t_mortar_1", K::Mortar, 1}, {"t_mortar_2", K::Mortar, 2}, {"t_mortar_3", K::Mortar, 3},
        {"t_tar", K::Tar, 4}, {"t_blight", K::Blight, 4}}},
      {"kp/towers/support",
       {{"t_watch_1", K::Watch, 1}, {"t_watch_2", K::Watch, 2}, {"t_watch_3", K::Watch, 3},
        {"t_forge", K::Forge, 4}, {"t_toll", K::Toll, 4}}},
  };
  return sheets;
}

void AddTower(Layout& layout, const TowerDesign& tower) {
  const std::string group = tower.name;
  const double s = TierScale(tower.tier);
  if (IsRotating(tower.kind)) {
    for (int d = 0; d < kDirections; ++d) {
      for (int f = 0; f < kRecoilFrames; ++f) {
        layout.AddFrame(Numbered(group + "/frame_", d * kRecoilFrames + f), 0, 0, kCellWidth, kCellHeight,
                        AtBase(tower, [tower, d, f](cairo_t* cr) {
                          RotatingBase(cr, tower);
                          RotatingHead(cr, tower, DirectionOf(d), f);
                        }));
      }
    }
    // The engine fires direction d from marker (32 - d) mod 32, and reads the
    // marker mirrored about the base point.
    for (int m = 0; m < kDirections; ++m) {
      const int d = (kDirections - m) % kDirections;
      const Point tip = HeadTip(tower, DirectionOf(d), -HeadHeight(tower), 0);
      layout.AddMarker(Numbered(group + "/s_point/muzzle_", m), static_cast<int>(std::lround(kBaseX - tip.x * s)),
                       static_cast<int>(std::lround(kBaseY + tip.y * s)));
    }
  } else {
    for (int i = 0; i < 6; ++i)
      layout.AddFrame(Numbered(group + "/idle/idle_", i + 1), 0, 0, kCellWidth, kCellHeight,
                      AtBase(tower, [tower, i](cairo_t* cr) { StaticTower(cr, tower, {false, i / 6.0}); }));
    const int blasts = BlastFrames(tower.kind);
    for (int i = 0; i < blasts; ++i)
      layout.AddFrame(Numbered(group + "/blast/blast_", i + 1), 0, 0, kCellWidth, kCellHeight,
                      AtBase(tower, [tower, i, blasts](cairo_t* cr) {
                        StaticTower(cr, tower, {true, (i + 0.5) / blasts});
                      }));
    layout.AddMarker(group + "/s_point/source", kBaseX,
                     static_cast<int>(std::lround(kBaseY - SourceHeight(tower) * s)));
  }
  layout.AddMarker(group + "/base_point/base", kBaseX, kBaseY);
}

void AddLobbedShell(Layout& layout) {
  // Centred on (50, 30): the pivot of a sprite without markers.
  constexpr int kCell = 40, kX = 30, kY = 10;
  auto shell = [](double spin, double trail) {
    return [spin, trail](cairo_t* cr) {
      cairo_translate(cr, kCell / 2.0, kCell / 2.0);
      Glow(cr, 0, 0, 14 + 4 * trail, kLantern, 0.6);
      cairo_rotate(cr, spin);
      cairo_new_path(cr);
      Ellipse(cr, 0, 0, 8, 6);
      Solid(cr, kIron);
      cairo_new_path(cr);
      RoundedRect(cr, -2, -7, 4, 14, 1.5);
      SetColour(cr, kBrass);
      cairo_fill(cr);
      cairo_new_path(cr);
      Ellipse(cr, 5, 0, 2.5, 2.5);
      SetColour(cr, kLanternCore);
      cairo_fill(cr);
    };
  };
  for (int i = 0; i < 8; ++i)
    layout.AddFrame(Numbered("tower3_1b/spin_", i + 1), kX, kY, kCell, kCell, shell(i * M_PI / 4, 0));
  for (int i = 0; i < 8; ++i)
    layout.AddFrame(Numbered("tower3_1b/fire/fire_", i + 1), kX, kY, kCell, kCell, shell(i * M_PI / 4, 0));
  for (int i = 0; i < 6; ++i)
    layout.AddFrame(Numbered("tower3_1b/shot/shot_", i + 1), kX, kY, kCell, kCell, shell(i * M_PI / 3, i / 5.0));
}

void DrawTowerPortrait(cairo_t* cr, const TowerDesign& tower, double x, double y, double height) {
  // The tower's height above its base point at design scale, lamp or head
  // included.
  const double own = (IsRotating(tower.kind) ? HeadHeight(tower) + 24 : SourceHeight(tower) + 22) * TierScale(tower.tier);
  const double scale = height / own * TierScale(tower.tier);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  if (IsRotating(tower.kind)) {
    RotatingBase(cr, tower);
    RotatingHead(cr, tower, DirectionOf(27), 0);
  } else {
    StaticTower(cr, tower, {false, 0.25});
  }
  cairo_restore(cr);
}

}  // namespace art
