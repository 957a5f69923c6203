#include "tools/art/UiParts.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "tools/art/Paint.h"
#include "tools/art/PngFile.h"
#include "tools/art/Towers.h"

namespace art {

namespace {

using namespace palette;

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
}

// A parchment disc with an ink rim, the ground of every menu icon.
void Medallion(cairo_t* cr, double size, Rgb rim = kBrass) {
  const double c = size / 2;
  Circle(cr, c, c, c - 1);
  SetColour(cr, kInk);
  cairo_fill(cr);
  Circle(cr, c, c, c - 3.5);
  Solid(cr, kParchment);
  Circle(cr, c, c, c - 3.5);
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, rim);
  cairo_stroke(cr);
}

void Coin(cairo_t* cr, double cx, double cy, double r) {
  Circle(cr, cx, cy, r);
  Solid(cr, kCoin);
  Circle(cr, cx, cy, r * 0.6);
  cairo_set_line_width(cr, std::max(1.0, r * 0.15));
  SetColour(cr, Shade(kCoin, -0.35));
  cairo_stroke(cr);
}

void Gem(cairo_t* cr, double cx, double cy, double r) {
  Glow(cr, cx, cy, r * 1.4, kEmber, 0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, cx, cy - r);
  cairo_line_to(cr, cx + r * 0.75, cy - r * 0.2);
  cairo_line_to(cr, cx, cy + r);
  cairo_line_to(cr, cx - r * 0.75, cy - r * 0.2);
  cairo_close_path(cr);
  Solid(cr, kEmber);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - r * 0.75, cy - r * 0.2);
  cairo_line_to(cr, cx + r * 0.75, cy - r * 0.2);
  cairo_set_line_width(cr, 1);
  SetColour(cr, kOutline, 0.5);
  cairo_stroke(cr);
}

void Star(cairo_t* cr, double cx, double cy, double r, Rgb colour) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double rr = i % 2 ? r * 0.45 : r;
    cairo_line_to(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
  }
  cairo_close_path(cr);
  Solid(cr, colour);
}

void Chevron(cairo_t* cr, double cx, double cy, double w, Rgb colour) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w, cy + w * 0.45);
  cairo_line_to(cr, cx, cy - w * 0.45);
  cairo_line_to(cr, cx + w, cy + w * 0.45);
  cairo_line_to(cr, cx + w * 0.6, cy + w * 0.75);
  cairo_line_to(cr, cx, cy + w * 0.1);
  cairo_line_to(cr, cx - w * 0.6, cy + w * 0.75);
  cairo_close_path(cr);
  Solid(cr, colour);
}

void Flame(cairo_t* cr, double cx, double cy, double h, Rgb outer, Rgb inner) {
  for (int layer = 0; layer < 2; ++layer) {
    const double s = layer ? 0.55 : 1.0;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - h * s);
    cairo_curve_to(cr, cx + h * 0.55 * s, cy - h * 0.3 * s, cx + h * 0.45 * s, cy + h * 0.5 * s, cx, cy + h * 0.5 * s);
    cairo_curve_to(cr, cx - h * 0.45 * s, cy + h * 0.5 * s, cx - h * 0.55 * s, cy - h * 0.3 * s, cx, cy - h * s);
    if (layer) {
      SetColour(cr, inner);
      cairo_fill(cr);
    } else {
      Solid(cr, outer);
    }
  }
}

void Hammer(cairo_t* cr, double cx, double cy, double s) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, -0.6);
  cairo_new_path(cr);
  RoundedRect(cr, -s * 0.12, -s * 0.2, s * 0.24, s * 0.9, s * 0.08);
  Solid(cr, kWood);
  cairo_new_path(cr);
  RoundedRect(cr, -s * 0.45, -s * 0.5, s * 0.9, s * 0.38, s * 0.08);
  Solid(cr, kIron);
  cairo_restore(cr);
}

void Swirl(cairo_t* cr, double cx, double cy, double r, Rgb colour, double turn) {
  cairo_new_path(cr);
  for (int i = 0; i <= 60; ++i) {
    const double t = i / 60.0;
    const double a = turn + t * 4 * M_PI;
    cairo_line_to(cr, cx + std::cos(a) * r * t, cy + std::sin(a) * r * t);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, r * 0.28);
  SetColour(cr, kOutline, 0.6);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, r * 0.17);
  SetColour(cr, colour);
  cairo_stroke(cr);
}

void Wing(cairo_t* cr, double cx, double cy, double s) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - s * 0.5, cy + s * 0.3);
  cairo_curve_to(cr, cx - s * 0.4, cy - s * 0.4, cx + s * 0.3, cy - s * 0.6, cx + s * 0.55, cy - s * 0.45);
  cairo_curve_to(cr, cx + s * 0.35, cy - s * 0.1, cx + s * 0.3, cy + s * 0.1, cx - s * 0.5, cy + s * 0.3);
  Solid(cr, kChalkLight);
}

void Shield(cairo_t* cr, double cx, double cy, double s, Rgb colour) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - s * 0.45, cy - s * 0.45);
  cairo_line_to(cr, cx + s * 0.45, cy - s * 0.45);
  cairo_curve_to(cr, cx + s * 0.45, cy + s * 0.1, cx + s * 0.2, cy + s * 0.35, cx, cy + s * 0.5);
  cairo_curve_to(cr, cx - s * 0.2, cy + s * 0.35, cx - s * 0.45, cy + s * 0.1, cx - s * 0.45, cy - s * 0.45);
  cairo_close_path(cr);
  Solid(cr, colour);
}

// A small effect badge: an ink ring round a symbol.
Drawing Badge(std::function<void(cairo_t*, double c, double r)> symbol) {
  return [symbol](cairo_t* cr) {
    constexpr double kSize = 26, c = kSize / 2;
    Circle(cr, c, c, c - 1);
    SetColour(cr, kNightBlue);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetColour(cr, kBrass);
    cairo_stroke(cr);
    symbol(cr, c, c - 3);
  };
}

const TowerDesign& Tower(const char* name) {
  for (const TowerSheet& sheet : TowerSheets())
    for (const TowerDesign& tower : sheet.towers)
      if (std::string(tower.name) == name) return tower;
  return TowerSheets().front().towers.front();
}

void Ring(cairo_t* cr, double size, Rgb colour, bool dashed) {
  const double c = size / 2;
  cairo_pattern_t* fill = cairo_pattern_create_radial(c, c, 0, c, c, c);
  cairo_pattern_add_color_stop_rgba(fill, 0, colour.r, colour.g, colour.b, 0.05);
  cairo_pattern_add_color_stop_rgba(fill, 0.85, colour.r, colour.g, colour.b, 0.16);
  cairo_pattern_add_color_stop_rgba(fill, 1, colour.r, colour.g, colour.b, 0.3);
  Circle(cr, c, c, c);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  Circle(cr, c, c, c - 2.5);
  if (dashed) {
    const double dash[] = {14, 8};
    cairo_set_dash(cr, dash, 2, 0);
  }
  cairo_set_line_width(cr, 3);
  SetColour(cr, Shade(colour, 0.3), 0.9);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

// Evenly spread values in [0, 1) for the k-th particle of an effect, so that
// neighbours never line up.
double Scatter(int k) { return std::fmod(k * 0.6180339887, 1.0); }

std::string Numbered(const std::string& prefix, int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return prefix + text;
}

// A looping effect: frames drawn about the centre of a size x size cell, and
// the centre as the sprite's pivot.
void AddEffect(Layout& layout, const std::string& group, int size, int frames,
               std::function<void(cairo_t*, double t, double size)> draw) {
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / frames;
    layout.AddFrame(Numbered(group + "/frame_", i + 1), 0, 0, size, size,
                    [draw, t, size](cairo_t* cr) { draw(cr, t, size); });
  }
  layout.AddMarker(group + "/s_point/centre", size / 2, size / 2);
}

void AddIcons(Layout& layout) {
  auto add = [&](const char* name, int w, int h, Drawing draw) { layout.AddFrame(std::string("ui/") + name, 0, 0, w, h, draw); };
  add("brush", 48, 48, [](cairo_t* cr) {
    cairo_pattern_t* soft = cairo_pattern_create_radial(24, 24, 0, 24, 24, 24);
    const Rgb earth = Hex(0x5A4630);
    cairo_pattern_add_color_stop_rgba(soft, 0, earth.r, earth.g, earth.b, 0.85);
    cairo_pattern_add_color_stop_rgba(soft, 0.6, earth.r, earth.g, earth.b, 0.5);
    cairo_pattern_add_color_stop_rgba(soft, 1, earth.r, earth.g, earth.b, 0.02);
    cairo_set_source(cr, soft);
    cairo_paint(cr);
    cairo_pattern_destroy(soft);
  });
  add("power_buff", 28, 28, [](cairo_t* cr) {
    Glow(cr, 14, 14, 14, kFire, 0.7);
    Chevron(cr, 14, 11, 9, kFireLight);
    Chevron(cr, 14, 19, 7, kFire);
  });
  for (int level : {2, 3}) {
    add(level == 2 ? "lvl2" : "lvl3", 64, 64, [level](cairo_t* cr) {
      Medallion(cr, 64, kCoin);
      for (int i = 0; i < level; ++i) Chevron(cr, 32, 24 + i * 10 - (level - 2) * 5, 14, kLantern);
    });
  }
  add("sell", 64, 64, [](cairo_t* cr) {
    Medallion(cr, 64);
    Coin(cr, 32, 27, 13);
    cairo_new_path(cr);
    cairo_move_to(cr, 24, 42);
    cairo_line_to(cr, 40, 42);
    cairo_line_to(cr, 32, 52);
    cairo_close_path(cr);
    Solid(cr, kFire);
  });
  add("buy", 64, 64, [](cairo_t* cr) {
    Medallion(cr, 64);
    Coin(cr, 30, 34, 14);
    cairo_new_path(cr);
    RoundedRect(cr, 39, 14, 14, 5, 2);
    RoundedRect(cr, 43.5, 9.5, 5, 14, 2);
    Solid(cr, Hex(0x6FD36A));
  });
  add("context_money", 22, 22, [](cairo_t* cr) { Coin(cr, 11, 11, 9.5); });
  add("context_gem", 22, 22, [](cairo_t* cr) { Gem(cr, 11, 11, 9.5); });
  const char* towers[12] = {"t_wick_1", "t_homeward", "t_sparkstorm", "t_bell", "t_cannon_1", "t_brand",
                            "t_toll",   "t_watch_1",  "t_mortar_1",   "t_blight", "t_tar",     "t_forge"};
  for (int i = 0; i < 12; ++i) {
    const TowerDesign& tower = Tower(towers[i]);
    layout.AddFrame(Numbered("ui/tower_", i + 1), 0, 0, 64, 64, [&tower](cairo_t* cr) {
      Medallion(cr, 64);
      Circle(cr, 32, 32, 28);
      cairo_clip(cr);
      DrawTowerPortrait(cr, tower, 32, 54, 44);
    });
  }
  add("acid_01", 26, 26, Badge([](cairo_t* cr, double c, double r) {
        cairo_new_path(cr);
        cairo_move_to(cr, c, c - r * 0.2);
        cairo_curve_to(cr, c + r * 0.7, c + r * 0.6, c + r * 0.5, c + r * 1.3, c, c + r * 1.3);
        cairo_curve_to(cr, c - r * 0.5, c + r * 1.3, c - r * 0.7, c + r * 0.6, c, c - r * 0.2);
        Solid(cr, Hex(0x9CFF6A));
      }));
  add("beam_01", 26, 26, Badge([](cairo_t* cr, double c, double r) {
        Circle(cr, c, c + 3, r * 0.7);
        cairo_set_line_width(cr, 2);
        SetColour(cr, kLanternLight);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, c - r, c + 3);
        cairo_line_to(cr, c + r, c + 3);
        cairo_move_to(cr, c, c + 3 - r);
        cairo_line_to(cr, c, c + 3 + r);
        cairo_stroke(cr);
      }));
  add("aoe_01", 26, 26, Badge([](cairo_t* cr, double c, double r) {
        for (int i = 0; i < 8; ++i) {
          const double a = i * M_PI / 4;
          cairo_new_path(cr);
          cairo_move_to(cr, c + std::cos(a) * r * 0.35, c + 3 + std::sin(a) * r * 0.35);
          cairo_line_to(cr, c + std::cos(a) * r * 0.9, c + 3 + std::sin(a) * r * 0.9);
          cairo_set_line_width(cr, 2.2);
          SetColour(cr, kFireLight);
          cairo_stroke(cr);
        }
        Circle(cr, c, c + 3, r * 0.3);
        SetColour(cr, kLanternCore);
        cairo_fill(cr);
      }));
  add("burn_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Flame(cr, c, c + 4, r * 1.0, kFire, kFireLight); }));
  add("dazed_01", 26, 26, Badge([](cairo_t* cr, double c, double r) {
        Star(cr, c - 3, c + 1, r * 0.55, kLanternLight);
        Star(cr, c + 4, c + 6, r * 0.4, kLanternLight);
      }));
  add("hammer_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Hammer(cr, c, c + 3, r * 1.6); }));
  add("money_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Coin(cr, c, c + 3, r * 0.75); }));
  add("portal_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Swirl(cr, c, c + 3, r * 0.85, Hex(0x7FE8E0), 0); }));
  add("wing_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Wing(cr, c, c + 3, r * 1.7); }));
  add("might_01", 26, 26, Badge([](cairo_t* cr, double c, double r) { Chevron(cr, c, c + 3, r * 0.7, kCoin); }));
  add("might_02", 26, 26, Badge([](cairo_t* cr, double c, double r) {
        Chevron(cr, c, c, r * 0.65, kCoin);
        Chevron(cr, c, c + 7, r * 0.65, kCoin);
      }));
  // White, so that the health bar's tints show as they are.
  add("bar", 40, 6, [](cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 0.5, 0.5, 39, 5, 2.5);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0.55, 0.55, 0.55, 1);
    cairo_stroke(cr);
  });
  add("radius", 336, 336, [](cairo_t* cr) { Ring(cr, 336, kLanternLight, false); });
  for (int stars = 1; stars <= 3; ++stars) {
    add(stars == 1 ? "l1" : stars == 2 ? "l2" : "l3", 14 * stars + 4, 18, [stars](cairo_t* cr) {
      for (int i = 0; i < stars; ++i) Star(cr, 9 + i * 14, 9.5, 8, kCoin);
    });
  }
  add("radius_boost", 336, 336, [](cairo_t* cr) { Ring(cr, 336, kFire, true); });
  add("power_boost", 32, 32, [](cairo_t* cr) {
    Glow(cr, 16, 16, 16, kFire, 0.6);
    Hammer(cr, 14, 18, 22);
    Chevron(cr, 24, 9, 6, kFireLight);
  });
  add("immune", 28, 28, [](cairo_t* cr) {
    Shield(cr, 14, 14, 26, kChalk);
    cairo_new_path(cr);
    cairo_move_to(cr, 7, 21);
    cairo_line_to(cr, 21, 7);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kFire);
    cairo_stroke(cr);
  });
  add("money", 26, 26, [](cairo_t* cr) {
    Coin(cr, 13, 13, 11.5);
    Glow(cr, 9, 8, 5, kLanternCore, 0.8);
  });
  add("wave_hint", 48, 48, [](cairo_t* cr) {
    Circle(cr, 24, 24, 23.5);
    SetColour(cr, kNight, 0.85);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kDuskLight);
    cairo_stroke(cr);
    Eyes(cr, 17, 31, 21, 3.2);
    cairo_new_path(cr);
    cairo_move_to(cr, 16, 31);
    cairo_line_to(cr, 32, 31);
    cairo_line_to(cr, 24, 39);
    cairo_close_path(cr);
    Solid(cr, kDuskLight);
  });
}

void AddSpots(Layout& layout) {
  // Stone plinth (s), a dark lantern with a coin (g: bought first) and a
  // plinth with an ember crystal (p: the forge-stone spots).
  auto plinth = [](cairo_t* cr, Rgb stone) {
    cairo_new_path(cr);
    Ellipse(cr, 40, 34, 38, 13);
    SetColour(cr, Shade(stone, -0.3));
    cairo_fill(cr);
    cairo_new_path(cr);
    Ellipse(cr, 40, 30, 38, 13);
    Solid(cr, stone);
    cairo_new_path(cr);
    Ellipse(cr, 40, 30, 24, 8);
    SetColour(cr, Shade(stone, -0.15));
    cairo_fill(cr);
  };
  layout.AddFrame("spots/s", 0, 0, 80, 48, [plinth](cairo_t* cr) { plinth(cr, kStone); });
  layout.AddFrame("spots/g", 0, 0, 80, 64, [plinth](cairo_t* cr) {
    cairo_translate(cr, 0, 16);
    plinth(cr, Shade(kStone, -0.25));
    cairo_new_path(cr);
    RoundedRect(cr, 32, -10, 16, 36, 3);
    Solid(cr, kIron);
    cairo_new_path(cr);
    RoundedRect(cr, 35, -5, 10, 12, 2);
    SetColour(cr, kNight);
    cairo_fill(cr);
    Coin(cr, 40, 18, 7);
  });
  layout.AddFrame("spots/p", 0, 0, 80, 64, [plinth](cairo_t* cr) {
    cairo_translate(cr, 0, 16);
    plinth(cr, kStone);
    Glow(cr, 40, 10, 22, kEmber, 0.6);
    Gem(cr, 40, 8, 14);
  });
}

void AddEffects(Layout& layout) {
  AddEffect(layout, "enemy_spot", 72, 8, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    const double pulse = 0.5 + 0.5 * std::sin(t * 2 * M_PI);
    cairo_new_path(cr);
    Ellipse(cr, c, c, c - 3 - pulse * 3, (c - 3 - pulse * 3) * 0.4);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kLanternLight, 0.6 + 0.4 * pulse);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
      const double a = t * M_PI / 2 + i * M_PI / 2;
      cairo_new_path(cr);
      Ellipse(cr, c + std::cos(a) * (c - 4), c + std::sin(a) * (c - 4) * 0.4, 3, 2);
      SetColour(cr, kLanternCore);
      cairo_fill(cr);
    }
  });
  AddEffect(layout, "spell_cast", 112, 8, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    cairo_translate(cr, c, c);
    cairo_rotate(cr, t * M_PI / 2);
    Circle(cr, 0, 0, c - 6);
    const double dash[] = {18, 10};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kLanternLight, 0.9);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    for (int i = 0; i < 4; ++i) {
      cairo_rotate(cr, M_PI / 2);
      cairo_new_path(cr);
      cairo_move_to(cr, c - 2, 0);
      cairo_line_to(cr, c - 14, -5);
      cairo_line_to(cr, c - 14, 5);
      cairo_close_path(cr);
      Solid(cr, kLantern);
    }
  });
  AddEffect(layout, "disabletower", 72, 8, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    for (int k = 0; k < 3; ++k) {
      const double u = std::fmod(t + k / 3.0, 1.0);
      cairo_new_path(cr);
      Ellipse(cr, c + std::sin(u * 6 + k) * 6, c + 14 - u * 30, 8 + u * 8, 6 + u * 6);
      SetColour(cr, Hex(0x50505A), 0.7 * (1 - u));
      cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, c, c - 14);
    cairo_curve_to(cr, c + 4, c - 8, c + 8, c, c + 14, c + 6);
    cairo_line_to(cr, c - 14, c + 6);
    cairo_curve_to(cr, c - 8, c, c - 4, c - 8, c, c - 14);
    Solid(cr, kIron);
  });
  AddEffect(layout, "tower_debuff", 96, 10, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    Glow(cr, c, c, c * 0.9, kDusk, 0.5);
    for (int i = 0; i < 3; ++i) {
      const double a = t * 2 * M_PI + i * 2 * M_PI / 3;
      cairo_new_path(cr);
      cairo_arc(cr, c, c, c * 0.7, a, a + 1.4);
      cairo_set_line_width(cr, 4);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColour(cr, kDuskLight, 0.85);
      cairo_stroke(cr);
    }
  });
  AddEffect(layout, "mob_dot", 48, 8, [](cairo_t* cr, double t, double s) {
    for (int k = 0; k < 4; ++k) {
      const double u = std::fmod(t + Scatter(k), 1.0);
      const double x = s / 2 + (k - 1.5) * 7 + std::sin(u * 7 + k) * 2;
      Circle(cr, x, s - 6 - u * (s - 12), 2.5 + 2 * u);
      Flat(cr, Hex(0x9CFF6A), 1 - u * 0.7);
    }
  });
  AddEffect(layout, "mob_heal", 48, 8, [](cairo_t* cr, double t, double s) {
    for (int k = 0; k < 3; ++k) {
      const double u = std::fmod(t + Scatter(k), 1.0);
      const double x = s / 2 + (k - 1) * 11, y = s - 8 - u * (s - 16);
      cairo_new_path(cr);
      RoundedRect(cr, x - 5, y - 1.8, 10, 3.6, 1);
      RoundedRect(cr, x - 1.8, y - 5, 3.6, 10, 1);
      Flat(cr, kEyes, 1 - u * 0.8);
      Glow(cr, x, y, 7, kEyes, 0.4 * (1 - u));
    }
  });
  AddEffect(layout, "sp_flare", 128, 10, [](cairo_t* cr, double t, double s) {
    const double c = s / 2, grow = std::sin(M_PI * (0.1 + 0.9 * t));
    Glow(cr, c, c, c * (0.5 + 0.5 * grow), kLanternCore, 0.9);
    for (int i = 0; i < 12; ++i) {
      const double a = i * M_PI / 6 + t;
      cairo_new_path(cr);
      cairo_move_to(cr, c + std::cos(a) * 10, c + std::sin(a) * 10);
      cairo_line_to(cr, c + std::cos(a) * (20 + 40 * grow), c + std::sin(a) * (20 + 40 * grow));
      cairo_set_line_width(cr, 3);
      SetColour(cr, kLanternLight, 0.8);
      cairo_stroke(cr);
    }
  });
  AddEffect(layout, "sp_ember", 128, 10, [](cairo_t* cr, double t, double s) {
    for (int k = 0; k < 9; ++k) {
      const double u = std::fmod(t + Scatter(k + 5), 1.0);
      const double x = 16 + Scatter(k) * (s - 32), y = 8 + u * (s - 24);
      cairo_new_path(cr);
      cairo_move_to(cr, x - 4, y - 14);
      cairo_line_to(cr, x, y);
      cairo_set_line_width(cr, 3);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColour(cr, kFire, 0.7);
      cairo_stroke(cr);
      Glow(cr, x, y, 6, kFireLight, 0.9);
    }
  });
  AddEffect(layout, "sp_still", 128, 10, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    for (int k = 0; k < 3; ++k) {
      const double u = std::fmod(t + k / 3.0, 1.0);
      cairo_new_path(cr);
      Ellipse(cr, c, c, 8 + u * (c - 10), (8 + u * (c - 10)) * 0.55);
      cairo_set_line_width(cr, 3);
      SetColour(cr, Hex(0x8FD0FF), 0.9 * (1 - u));
      cairo_stroke(cr);
    }
  });
  AddEffect(layout, "sp_mist", 128, 10, [](cairo_t* cr, double t, double s) {
    const double c = s / 2;
    for (int k = 0; k < 7; ++k) {
      const double a = k * 2 * M_PI / 7 + t * 2 * M_PI / 7;
      const double r = 20 + 8 * std::sin(t * 2 * M_PI + k);
      cairo_new_path(cr);
      Ellipse(cr, c + std::cos(a) * r, c + std::sin(a) * r * 0.6, 22, 15);
      SetColour(cr, Hex(0x9DB59A), 0.35);
      cairo_fill(cr);
    }
  });
}

bool WriteImage(const std::filesystem::path& path, int w, int h, const Drawing& draw) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(surface);
  draw(cr);
  cairo_destroy(cr);
  const bool written = WritePng(surface, path);
  cairo_surface_destroy(surface);
  if (!written) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return written;
}

// A spell button's face; its dimmed pair is the same picture in grey.
void SpellFace(cairo_t* cr, const std::string& spell) {
  Medallion(cr, 70, kCoin);
  if (spell == "flare") {
    Glow(cr, 35, 35, 26, kLanternCore, 0.9);
    Star(cr, 35, 35, 16, kLanternLight);
  } else if (spell == "ember") {
    for (int i = 0; i < 3; ++i) Flame(cr, 22 + i * 13, 34 + (i % 2) * 6, 12, kFire, kFireLight);
  } else if (spell == "still") {
    for (int i = 0; i < 3; ++i) {
      cairo_new_path(cr);
      Ellipse(cr, 35, 38, 8 + i * 7, (8 + i * 7) * 0.55);
      cairo_set_line_width(cr, 3);
      SetColour(cr, Hex(0x3F8FD0));
      cairo_stroke(cr);
    }
  } else if (spell == "mist") {
    for (int i = 0; i < 4; ++i) {
      cairo_new_path(cr);
      Ellipse(cr, 22 + i * 9, 36 + (i % 2) * 5, 11, 8);
      Flat(cr, Hex(0x8FA88C));
    }
  } else {
    Glow(cr, 35, 40, 22, kFire, 0.7);
    Hammer(cr, 35, 36, 30);
  }
}

}  // namespace

void AddUiParts(Layout& layout) {
  AddIcons(layout);
  AddSpots(layout);
  AddEffects(layout);
}

bool WritePlainImages(const std::filesystem::path& root) {
  const std::filesystem::path data = root / "kp/data";
  bool ok = true;
  ok &= WriteImage(data / "ammo/ember_dart.png", 16, 16, [](cairo_t* cr) {
    Glow(cr, 8, 8, 8, kFire, 1);
    Glow(cr, 8, 8, 4, kLanternCore, 1);
  });
  ok &= WriteImage(data / "ammo/cinder_ball.png", 22, 22, [](cairo_t* cr) {
    Glow(cr, 11, 11, 11, kFire, 0.6);
    Circle(cr, 11, 11, 6.5);
    Solid(cr, kIron);
    Glow(cr, 12, 12, 4, kFireLight, 0.8);
  });
  auto shadow = [](double w, double h) {
    return [w, h](cairo_t* cr) {
      cairo_save(cr);
      cairo_translate(cr, w / 2, h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_pattern_t* soft = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
      cairo_pattern_add_color_stop_rgba(soft, 0, 0, 0, 0, 0.45);
      cairo_pattern_add_color_stop_rgba(soft, 1, 0, 0, 0, 0);
      cairo_set_source(cr, soft);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_pattern_destroy(soft);
      cairo_restore(cr);
    };
  };
  ok &= WriteImage(data / "ui_parts/shadows/wywern_shadow.png", 56, 20, shadow(56, 20));
  ok &= WriteImage(data / "ui_parts/shadows/dragon_shadow.png", 96, 32, shadow(96, 32));
  ok &= WriteImage(data / "context/small_icons/income.png", 32, 32, [](cairo_t* cr) {
    for (int i = 0; i < 3; ++i) {
      cairo_new_path(cr);
      Ellipse(cr, 16, 24 - i * 6, 12, 5);
      Solid(cr, kCoin);
    }
  });
  for (const char* spell : {"flare", "ember", "still", "mist", "hearth"}) {
    const std::string name = spell;
    ok &= WriteImage(data / ("spells/" + name + "_icon.png"), 70, 70, [name](cairo_t* cr) { SpellFace(cr, name); });
    ok &= WriteImage(data / ("spells/" + name + "_dim.png"), 70, 70, [name](cairo_t* cr) {
      cairo_push_group(cr);
      SpellFace(cr, name);
      cairo_pop_group_to_source(cr);
      cairo_paint(cr);
      // Grey and darker: the colour leaves, the picture stays readable.
      cairo_set_operator(cr, CAIRO_OPERATOR_HSL_SATURATION);
      cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
      Circle(cr, 35, 35, 35);
      cairo_fill(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
      cairo_paint(cr);
    });
  }
  // As wide as the widest screen shows, so no border is left bare.
  ok &= WriteImage(data / "loading.png", 1366, 768, [](cairo_t* cr) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 768);
    cairo_pattern_add_color_stop_rgb(sky, 0, kNight.r, kNight.g, kNight.b);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, kNightBlue.r, kNightBlue.g, kNightBlue.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, kMarsh.r, kMarsh.g, kMarsh.b);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 620);
    cairo_curve_to(cr, 400, 560, 930, 640, 1366, 590);
    cairo_line_to(cr, 1366, 768);
    cairo_line_to(cr, 0, 768);
    cairo_close_path(cr);
    SetColour(cr, kMarshLight);
    cairo_fill(cr);
    DrawTowerPortrait(cr, Tower("t_watch_3"), 683, 660, 400);
  });
  return ok;
}

}  // namespace art
