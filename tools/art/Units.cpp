#include "tools/art/Units.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace art {

namespace {

using namespace palette;

// A limb: a round-capped line with its outline.
void Limb(cairo_t* cr, double x1, double y1, double x2, double y2, double width, Rgb colour) {
  OutlinedLine(cr, x1, y1, x2, y2, width, colour);
  cairo_new_path(cr);
}

// A bent limb through a knee.
void Leg(cairo_t* cr, double x, double y, double kx, double ky, double fx, double fy, double width, Rgb colour) {
  Limb(cr, x, y, kx, ky, width, colour);
  Limb(cr, kx, ky, fx, fy, width, colour);
}

void GroundShadow(cairo_t* cr, double y, double rx) {
  cairo_new_path(cr);
  Ellipse(cr, 0, y, rx, rx * 0.28);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
  cairo_fill(cr);
}

// Wisps and ragged hems: a wavy lower edge from (x1, y) to (x2, y).
void RaggedHem(cairo_t* cr, double x1, double x2, double y, int teeth, double depth, double phase) {
  const double step = (x2 - x1) / teeth;
  for (int i = 0; i < teeth; ++i) {
    const double xa = x1 + step * i;
    const double d = depth * (0.7 + 0.3 * std::sin(phase * 6.283 + i * 1.7));
    cairo_line_to(cr, xa + step * 0.5, y + d);
    cairo_line_to(cr, xa + step, y);
  }
}

void Gloamling(cairo_t* cr, const UnitPose& p) {
  GroundShadow(cr, 18, 13);
  Leg(cr, -5, 10 + p.bob, -6 - p.swing * 3, 15, -6 - p.swing * 5, 18, 4, Shade(kDusk, -0.3));
  Leg(cr, 5, 10 + p.bob, 6 + p.swing * 3, 15, 6 + p.swing * 5, 18, 4, Shade(kDusk, -0.3));
  // Feathery antennae.
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, 2 + side * 4, -12 + p.bob);
    cairo_curve_to(cr, 2 + side * 8, -22 + p.bob, 8 + side * 8, -24 + p.bob, 10 + side * 6, -20 + p.bob);
    cairo_set_line_width(cr, 2);
    SetColour(cr, kDuskLight);
    cairo_stroke(cr);
    cairo_new_path(cr);
    Ellipse(cr, 10 + side * 6, -20 + p.bob, 3, 2);
    Flat(cr, kLanternLight);
  }
  cairo_new_path(cr);
  Ellipse(cr, 0, 0 + p.bob, 14, 13);
  Solid(cr, kDusk);
  Eyes(cr, 3, 10, -3 + p.bob, 2.6);
}

void Skitter(cairo_t* cr, const UnitPose& p) {
  const Rgb shell = Hex(0x3E8C6A);
  GroundShadow(cr, 16, 18);
  for (int i = 0; i < 3; ++i) {
    const double x = -8 + i * 8;
    const double s = (i % 2 ? 1 : -1) * p.swing;
    Leg(cr, x, 6 + p.bob, x - 4 + s * 4, 2, x - 6 + s * 6, 16, 2, Shade(shell, -0.5));
    Leg(cr, x + 2, 8 + p.bob, x + 5 - s * 4, 4, x + 7 - s * 6, 17, 2, Shade(shell, -0.4));
  }
  cairo_new_path(cr);
  Ellipse(cr, -2, 6 + p.bob, 17, 8);
  Solid(cr, shell);
  // Wing-case seam.
  cairo_new_path(cr);
  cairo_move_to(cr, -18, 6 + p.bob);
  cairo_line_to(cr, 12, 5 + p.bob);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, kOutline, 0.5);
  cairo_stroke(cr);
  cairo_new_path(cr);
  Ellipse(cr, 17, 5 + p.bob, 6, 5);
  Solid(cr, Shade(shell, -0.25));
  Limb(cr, 21, 6 + p.bob, 27, 9 + p.swing, 1.5, kChalk);
  Eyes(cr, 17, 21, 3 + p.bob, 1.6);
}

void Riftling(cairo_t* cr, const UnitPose& p) {
  const double y = -4 + p.bob * 1.5;
  Glow(cr, 0, y, 22, kEmber, 0.35 + p.pulse * 0.4);
  cairo_new_path(cr);
  cairo_move_to(cr, 9, y - 4);
  cairo_curve_to(cr, 6, y + 12, -6, y + 10, -14 - p.swing * 3, y + 16);
  cairo_curve_to(cr, -8, y + 4, -12, y - 12, 0, y - 13);
  cairo_curve_to(cr, 8, y - 13, 10, y - 9, 9, y - 4);
  Solid(cr, kDuskLight);
  cairo_new_path(cr);
  Ellipse(cr, -1, y, 4, 5);
  SetColour(cr, kEmber, 0.55);
  cairo_fill(cr);
  Eyes(cr, 2, 7, y - 5, 2);
}

void Broodling(cairo_t* cr, const UnitPose& p) {
  const Rgb skin = Hex(0xC58FA8);
  GroundShadow(cr, 15, 16);
  const double wave = p.swing * 1.5;
  const double xs[3] = {-11, -2, 8}, rs[3] = {5.5, 6.5, 7.5};
  for (int i = 0; i < 3; ++i) {
    const double y = 8 + (i == 1 ? wave : -wave) * 0.6 + p.bob * (i == 2 ? 1 : 0.3);
    Limb(cr, xs[i], y + 3, xs[i] + 1 + (i % 2 ? p.swing : -p.swing) * 2, 14, 2, Shade(skin, -0.45));
    cairo_new_path(cr);
    Ellipse(cr, xs[i], y, rs[i], rs[i] * 0.85);
    Solid(cr, i == 2 ? skin : Shade(skin, -0.12 * (2 - i)));
  }
  Eyes(cr, 8, 12, 5 + p.bob, 1.5);
}

void Husk(cairo_t* cr, const UnitPose& p) {
  const Rgb skin = Hex(0x8A8270), rag = Hex(0x4A3B2E);
  GroundShadow(cr, 18, 12);
  Leg(cr, -3, 6, -4 - p.swing * 3, 12, -5 - p.swing * 5, 18, 4, Shade(skin, -0.35));
  Leg(cr, 3, 6, 4 + p.swing * 3, 12, 5 + p.swing * 5, 18, 4, Shade(skin, -0.2));
  // Hunched body leaning forward.
  cairo_new_path(cr);
  cairo_move_to(cr, -9, 8 + p.bob);
  cairo_curve_to(cr, -12, -6 + p.bob, -4, -16 + p.bob, 6, -12 + p.bob);
  cairo_curve_to(cr, 11, -8 + p.bob, 9, 4 + p.bob, 7, 9 + p.bob);
  cairo_close_path(cr);
  Solid(cr, skin);
  cairo_new_path(cr);
  cairo_move_to(cr, -10, 2 + p.bob);
  cairo_line_to(cr, 8, 0 + p.bob);
  RaggedHem(cr, 8, -10, 10 + p.bob, 5, -4, p.swing);
  cairo_close_path(cr);
  Flat(cr, rag);
  Limb(cr, 6, -6 + p.bob, 12 + p.swing * 2, 6, 3, skin);
  cairo_new_path(cr);
  Ellipse(cr, 9, -13 + p.bob, 6, 5.5);
  Solid(cr, Shade(skin, 0.1));
  Eyes(cr, 9, 13, -13 + p.bob, 1.4, Hex(0xB8F5C8));
}

void Duskmoth(cairo_t* cr, const UnitPose& p) {
  const double y = -6 + p.bob;
  const double flap = 0.55 + 0.45 * p.swing;  // wing opening
  for (int layer = 0; layer < 2; ++layer) {
    const bool back = layer == 0;
    cairo_save(cr);
    cairo_translate(cr, -2, y);
    cairo_scale(cr, 1, back ? flap * 0.8 : flap);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, back ? -6 : -2, -26, back ? -30 : -28, -30, back ? -28 : -24, -8);
    cairo_curve_to(cr, -22, 0, -10, 2, 0, 0);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 4, -24, 24, -28, 22, -8);
    cairo_curve_to(cr, 18, -2, 8, 2, 0, 0);
    Solid(cr, back ? Shade(kDuskLight, -0.3) : kDuskLight);
    if (!back) {
      for (double x : {-16.0, 13.0}) {
        cairo_new_path(cr);
        Ellipse(cr, x, -14, 4, 4);
        Flat(cr, kLantern);
        Glow(cr, x, -14, 7, kLantern, 0.5);
      }
    }
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  Ellipse(cr, -2, y + 4, 5, 11);
  Solid(cr, kDusk);
  cairo_new_path(cr);
  Ellipse(cr, 2, y - 6, 5, 4.5);
  Solid(cr, Shade(kDusk, -0.2));
  Eyes(cr, 2, 6, y - 7, 1.6);
}

void Shellback(cairo_t* cr, const UnitPose& p) {
  GroundShadow(cr, 19, 24);
  const Rgb skin = Hex(0x5E6B55);
  for (int i = 0; i < 2; ++i) {
    const double s = i ? p.swing : -p.swing;
    Limb(cr, -13 + i * 20, 10, -14 + i * 20 + s * 3, 18, 6, skin);
  }
  cairo_new_path(cr);
  Ellipse(cr, 22 + p.swing, 6 + p.bob * 0.5, 7, 6);
  Solid(cr, skin);
  Eyes(cr, 23, 27, 4 + p.bob * 0.5, 1.4);
  // The dome with chalk plates.
  cairo_new_path(cr);
  cairo_move_to(cr, -24, 12 + p.bob * 0.5);
  cairo_curve_to(cr, -24, -22 + p.bob, 20, -22 + p.bob, 20, 12 + p.bob * 0.5);
  cairo_close_path(cr);
  Solid(cr, kStone);
  const double plates[][3] = {{-12, 2, 5}, {0, -5, 6}, {10, 3, 4.5}, {-2, 7, 4}, {-14, -4, 3}};
  for (const auto& plate : plates) {
    cairo_new_path(cr);
    Ellipse(cr, plate[0], plate[1] + p.bob * 0.8, plate[2], plate[2] * 0.8);
    Flat(cr, kChalk);
  }
  cairo_new_path(cr);
  RoundedRect(cr, -25, 9 + p.bob * 0.5, 46, 5, 2);
  Flat(cr, Shade(kStone, -0.3));
}

void Veilstalker(cairo_t* cr, const UnitPose& p) {
  const double y = p.bob;
  GroundShadow(cr, 20, 10);
  // The cloak fades into mist at its hem.
  cairo_pattern_t* mist = cairo_pattern_create_linear(0, -20, 0, 22);
  cairo_pattern_add_color_stop_rgba(mist, 0, kNightLight.r, kNightLight.g, kNightLight.b, 1);
  cairo_pattern_add_color_stop_rgba(mist, 0.65, kNightLight.r, kNightLight.g, kNightLight.b, 0.9);
  cairo_pattern_add_color_stop_rgba(mist, 1, kDuskLight.r, kDuskLight.g, kDuskLight.b, 0.2);
  cairo_new_path(cr);
  cairo_move_to(cr, 4, -26 + y);
  cairo_curve_to(cr, 14, -18 + y, 12, 4 + y, 14 + p.swing * 2, 16 + y);
  RaggedHem(cr, 14 + p.swing * 2, -12 - p.swing * 2, 20 + y, 5, 4, p.swing * 0.3);
  cairo_curve_to(cr, -12, 2 + y, -8, -20 + y, 4, -26 + y);
  cairo_close_path(cr);
  cairo_set_source(cr, mist);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(mist);
  SetColour(cr, kOutline, 0.5);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Limb(cr, 8, -8 + y, 17 + p.swing * 3, 2 + y, 2.5, kNightLight);
  // Hood opening.
  cairo_new_path(cr);
  Ellipse(cr, 5, -17 + y, 6, 6.5);
  SetColour(cr, kNight);
  cairo_fill(cr);
  Eyes(cr, 4, 9, -17 + y, 1.6);
}

void Mender(cairo_t* cr, const UnitPose& p) {
  const Rgb robe = Hex(0xA9D8EA);
  GroundShadow(cr, 19, 14);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -20 + p.bob);
  cairo_curve_to(cr, 14, -16 + p.bob, 16, 8, 15, 18);
  cairo_curve_to(cr, 6, 20, -6, 20, -15, 18);
  cairo_curve_to(cr, -16, 8, -14, -16 + p.bob, 0, -20 + p.bob);
  Solid(cr, robe);
  cairo_new_path(cr);
  RoundedRect(cr, -15, 14, 30, 4, 2);
  Flat(cr, kChalkLight);
  // The staff and its ice crystal.
  const double sx = 17 + p.swing;
  Limb(cr, sx, -18 + p.bob, sx, 18, 2.5, kWood);
  Glow(cr, sx, -22 + p.bob, 10 + p.pulse * 6, kEyes, 0.7);
  cairo_new_path(cr);
  cairo_move_to(cr, sx, -30 + p.bob);
  cairo_line_to(cr, sx + 4, -22 + p.bob);
  cairo_line_to(cr, sx, -15 + p.bob);
  cairo_line_to(cr, sx - 4, -22 + p.bob);
  cairo_close_path(cr);
  Solid(cr, kEyes);
  Limb(cr, 8, -4 + p.bob, sx, -6 + p.bob, 3, Shade(robe, -0.15));
  cairo_new_path(cr);
  Ellipse(cr, 3, -12 + p.bob, 6, 5.5);
  SetColour(cr, kNightBlue);
  cairo_fill(cr);
  Eyes(cr, 3, 7, -12 + p.bob, 1.5);
}

void Broodmother(cairo_t* cr, const UnitPose& p) {
  const Rgb skin = Hex(0x9A5A8A);
  GroundShadow(cr, 19, 24);
  for (int i = 0; i < 4; ++i) {
    const double x = -12 + i * 7;
    const double s = (i % 2 ? 1 : -1) * p.swing;
    Leg(cr, x, 6, x - 3 + s * 3, 2, x - 4 + s * 5, 18, 2.5, Shade(skin, -0.5));
  }
  cairo_new_path(cr);
  Ellipse(cr, -6, -1 + p.bob, 20, 15);
  Solid(cr, skin);
  // Grubs riding on her back.
  const double grubs[][2] = {{-14, -10}, {-5, -14}, {4, -11}};
  for (const auto& g : grubs) {
    cairo_new_path(cr);
    Ellipse(cr, g[0], g[1] + p.bob, 3.5, 2.8);
    Flat(cr, Hex(0xE3B7CB));
  }
  cairo_new_path(cr);
  Ellipse(cr, 17, 4 + p.bob * 0.5, 8, 7);
  Solid(cr, Shade(skin, -0.2));
  Limb(cr, 23, 7, 27, 11 + p.swing, 2, kChalk);
  Eyes(cr, 17, 22, 1 + p.bob * 0.5, 1.7);
}

void Mistcaller(cairo_t* cr, const UnitPose& p) {
  const Rgb robe = Hex(0x6F8A7A), mist = Hex(0xBFE8D0);
  GroundShadow(cr, 19, 13);
  for (int i = 0; i < 3; ++i) Glow(cr, -14 + i * 9, 14 - i * 3, 8, mist, 0.25 + 0.15 * p.pulse);
  cairo_new_path(cr);
  cairo_move_to(cr, -1, -24 + p.bob);
  cairo_curve_to(cr, 12, -16 + p.bob, 12, 6, 13, 18);
  RaggedHem(cr, 13, -13, 18, 4, 3, p.swing * 0.2);
  cairo_curve_to(cr, -12, 6, -12, -18 + p.bob, -1, -24 + p.bob);
  Solid(cr, robe);
  // The mist lantern on a crook.
  const double lx = 19 + p.swing * 2, ly = -4 + p.bob;
  Limb(cr, 13, -22 + p.bob, 13, 18, 2, kWood);
  Limb(cr, 13, -22 + p.bob, lx, -16 + p.bob, 2, kWood);
  Glow(cr, lx, ly, 13 + p.pulse * 8, mist, 0.7);
  cairo_new_path(cr);
  Ellipse(cr, lx, ly, 4.5, 5.5);
  Solid(cr, mist);
  cairo_new_path(cr);
  Ellipse(cr, 3, -14 + p.bob, 5.5, 5.5);
  SetColour(cr, kNight);
  cairo_fill(cr);
  Eyes(cr, 2, 6, -14 + p.bob, 1.5);
}

void Drake(cairo_t* cr, const UnitPose& p) {
  const double y = 4 + p.bob;
  const Rgb wing = Hex(0xB8431E);
  const double flap = p.swing;
  // Far wing, body, near wing.
  for (int layer = 0; layer < 2; ++layer) {
    cairo_save(cr);
    cairo_translate(cr, -2, y - 4);
    cairo_scale(cr, 1, (layer ? 1.0 : 0.75) * (0.45 + 0.55 * (flap * 0.5 + 0.5)));
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, -6, -26);
    cairo_curve_to(cr, -12, -21, -20, -19, -28, -17);
    cairo_curve_to(cr, -20, -12, -16, -6, -14, 0);
    cairo_close_path(cr);
    Solid(cr, layer ? wing : Shade(wing, -0.35));
    cairo_restore(cr);
    if (layer == 0) {
      // The tail, the body and the neck.
      cairo_new_path(cr);
      cairo_move_to(cr, -8, y + 2);
      cairo_curve_to(cr, -20, y + 6, -26, y + 2 + flap * 2, -31, y - 4 + flap * 3);
      cairo_curve_to(cr, -24, y + 8, -16, y + 10, -6, y + 8);
      Solid(cr, kFire);
      cairo_new_path(cr);
      Ellipse(cr, -2, y + 4, 13, 7);
      Solid(cr, kFire);
      cairo_new_path(cr);
      Ellipse(cr, -1, y + 7, 9, 3);
      SetColour(cr, kFireLight, 0.9);
      cairo_fill(cr);
      cairo_new_path(cr);
      cairo_move_to(cr, 8, y);
      cairo_curve_to(cr, 14, y - 4, 16, y - 10, 20, y - 10);
      cairo_line_to(cr, 21, y - 3);
      cairo_curve_to(cr, 16, y - 2, 14, y + 4, 9, y + 7);
      Solid(cr, kFire);
      cairo_new_path(cr);
      Ellipse(cr, 23, y - 8, 6, 4.5);
      Solid(cr, kFire);
      Limb(cr, 20, y - 12, 17, y - 17, 1.6, kChalk);
      Glow(cr, 30, y - 6, 5 + p.pulse * 8, kFireLight, 0.8);
      Eyes(cr, 23, 26, y - 9, 1.3, kLanternCore);
    }
  }
}

void Riftcaller(cairo_t* cr, const UnitPose& p) {
  GroundShadow(cr, 20, 13);
  const double ry = -25 + p.bob * 0.5;
  Glow(cr, 4, ry, 16 + p.pulse * 10, kDuskLight, 0.6);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -22 + p.bob);
  cairo_curve_to(cr, 12, -16 + p.bob, 12, 6, 14, 20);
  cairo_curve_to(cr, 4, 22, -6, 22, -14, 20);
  cairo_curve_to(cr, -12, 4, -12, -16 + p.bob, 0, -22 + p.bob);
  Solid(cr, kDusk);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, -10 + p.bob);
  cairo_line_to(cr, 0, 20);
  cairo_set_line_width(cr, 2);
  SetColour(cr, kEmber, 0.8);
  cairo_stroke(cr);
  Limb(cr, -6, -8 + p.bob, -2, ry + 6, 2.5, kDusk);
  Limb(cr, 8, -8 + p.bob, 10, ry + 6, 2.5, kDusk);
  // The rift it holds up.
  cairo_save(cr);
  cairo_translate(cr, 4, ry);
  cairo_rotate(cr, p.swing * 0.3);
  cairo_new_path(cr);
  Ellipse(cr, 0, 0, 8 + p.pulse * 2, 6 + p.pulse * 2);
  cairo_set_line_width(cr, 3);
  SetColour(cr, kEmber);
  cairo_stroke_preserve(cr);
  SetColour(cr, kNight, 0.9);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  Ellipse(cr, 3, -13 + p.bob, 5.5, 5);
  SetColour(cr, kNight);
  cairo_fill(cr);
  Eyes(cr, 2, 6, -13 + p.bob, 1.4);
}

void Gravecaller(cairo_t* cr, const UnitPose& p) {
  const Rgb bone = kChalkLight, ghost = Hex(0x9CFF8A);
  GroundShadow(cr, 20, 14);
  cairo_new_path(cr);
  cairo_move_to(cr, -2, -18 + p.bob);
  cairo_curve_to(cr, 14, -14 + p.bob, 12, 6, 13, 20);
  RaggedHem(cr, 13, -15, 20, 5, 3, p.swing * 0.2);
  cairo_curve_to(cr, -16, 4, -16, -14 + p.bob, -2, -18 + p.bob);
  Solid(cr, Hex(0x26242C));
  // A staff crowned with a skull lantern.
  const double sx = 18, sy = -26 + p.bob;
  Limb(cr, sx, sy, sx - 2, 20, 2.5, kWood);
  Glow(cr, sx, sy, 12 + p.pulse * 10, ghost, 0.65);
  cairo_new_path(cr);
  Ellipse(cr, sx, sy, 5, 4.5);
  Flat(cr, bone);
  Eyes(cr, sx - 1.5, sx + 1.8, sy, 1.0, ghost);
  Limb(cr, 7, -6 + p.bob, sx - 1, -6 + p.bob + p.swing, 3, Hex(0x26242C));
  // Bone-white skull face under a hood.
  cairo_new_path(cr);
  Ellipse(cr, 2, -22 + p.bob, 9, 8);
  Flat(cr, Hex(0x26242C));
  cairo_new_path(cr);
  Ellipse(cr, 4, -20 + p.bob, 5.5, 5.5);
  Solid(cr, bone);
  Eyes(cr, 3, 7, -21 + p.bob, 1.3, ghost);
}

void Lampsnuffer(cairo_t* cr, const UnitPose& p) {
  const Rgb soot = Hex(0x2B2A33);
  GroundShadow(cr, 22, 22);
  Limb(cr, -7, 12, -8 - p.swing * 3, 21, 6, soot);
  Limb(cr, 7, 12, 8 + p.swing * 3, 21, 6, soot);
  cairo_new_path(cr);
  Ellipse(cr, 0, 4 + p.bob, 18, 15);
  Solid(cr, soot);
  // Ember cracks across the belly.
  cairo_new_path(cr);
  cairo_move_to(cr, -10, 0 + p.bob);
  cairo_line_to(cr, -4, 5 + p.bob);
  cairo_line_to(cr, 2, 2 + p.bob);
  cairo_line_to(cr, 9, 9 + p.bob);
  cairo_move_to(cr, -6, 12 + p.bob);
  cairo_line_to(cr, 0, 9 + p.bob);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, kFire);
  cairo_stroke(cr);
  Glow(cr, 0, 6 + p.bob, 14, kFire, 0.25 + p.pulse * 0.5);
  Limb(cr, 14, -2 + p.bob, 20 + p.swing * 2, 8 + p.bob, 5, soot);
  cairo_new_path(cr);
  Ellipse(cr, 20 + p.swing * 2, 9 + p.bob, 4, 4);
  Flat(cr, soot);
  // The snuffer cone it wears for a head.
  cairo_new_path(cr);
  cairo_move_to(cr, 2, -30 + p.bob);
  cairo_curve_to(cr, 6, -26 + p.bob, 10, -18 + p.bob, 16, -10 + p.bob);
  cairo_line_to(cr, -12, -10 + p.bob);
  cairo_curve_to(cr, -6, -18 + p.bob, -2, -26 + p.bob, 2, -30 + p.bob);
  Solid(cr, kIron);
  cairo_new_path(cr);
  RoundedRect(cr, -14, -12 + p.bob, 32, 4, 2);
  Flat(cr, kBrass);
  Eyes(cr, 4, 10, -5 + p.bob, 1.6, kFireLight);
}

constexpr double kAnchorHeight = 0.58;  // of the cell, from its top

}  // namespace

const std::vector<UnitSheet>& UnitSheets() {
  static const std::vector<UnitSheet> sheets = {
      {"kp/units/t1units",
       {{"u_gloamling", 64, Gloamling, kDuskLight},
        {"u_skitter", 64, Skitter, Hex(0x7FE0B0)},
        {"u_riftling", 64, Riftling, kEmber},
        {"u_broodling", 64, Broodling, Hex(0xE3B7CB)},
        {"u_husk", 64, Husk, Hex(0x9CFF8A)}}},
      {"kp/units/t2units",
       {{"u_duskmoth", 96, Duskmoth, kLantern},
        {"u_shellback", 96, Shellback, Hex(0x7FE0B0)},
        {"u_veilstalker", 96, Veilstalker, kDuskLight},
        {"u_mender", 96, Mender, kEyes},
        {"u_broodmother", 96, Broodmother, Hex(0xE3B7CB)},
        {"u_mistcaller", 96, Mistcaller, Hex(0xBFE8D0)}}},
      {"kp/units/t3units",
       {{"u_drake", 128, Drake, kFireLight},
        {"u_riftcaller", 128, Riftcaller, kDuskLight},
        {"u_gravecaller", 128, Gravecaller, Hex(0x9CFF8A)},
        {"u_lampsnuffer", 128, Lampsnuffer, kFire}}},
  };
  return sheets;
}

void DrawUnit(cairo_t* cr, const UnitDesign& unit, const UnitPose& pose, double x, double y) {
  const double scale = unit.cell / 64.0;
  cairo_save(cr);
  cairo_translate(cr, x + unit.cell / 2.0, y + unit.cell * kAnchorHeight);
  cairo_scale(cr, scale, scale);
  if (pose.pulse > 0) Glow(cr, 0, -2, 30, unit.aura, 0.55 * pose.pulse);
  cairo_push_group(cr);
  // A dying unit sinks towards its feet.
  cairo_translate(cr, 0, 18);
  cairo_scale(cr, pose.shrink, pose.shrink);
  cairo_translate(cr, 0, -18);
  unit.draw(cr, pose);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, pose.fade);
  cairo_restore(cr);
}

void AddUnit(Layout& layout, const UnitDesign& unit) {
  const std::string group = unit.name;
  const int cell = unit.cell;
  // The reference layer's corner is the point of the unit that walks on the
  // route: the engine places every frame relative to it.
  layout.AddMarker(group + "/reference", cell / 2, static_cast<int>(cell * kAnchorHeight));
  const double pixel = 64.0 / cell;  // one cell pixel in design units
  for (int i = 0; i < 8; ++i) {
    const double phase = i / 8.0;
    UnitPose pose;
    pose.bob = -2.0 * pixel * std::fabs(std::sin(phase * 2 * M_PI)) + pixel;
    pose.swing = std::sin(phase * 2 * M_PI);
    char name[64];
    std::snprintf(name, sizeof name, "/walk/walk_%02d", i + 1);
    layout.AddFrame(group + name, 0, 0, cell, cell, [unit, pose](cairo_t* cr) { DrawUnit(cr, unit, pose, 0, 0); });
  }
  for (int i = 0; i < 6; ++i) {
    const double t = i / 5.0;
    UnitPose pose;
    pose.fade = 1.0 - 0.8 * t;
    pose.shrink = 1.0 - 0.55 * t;
    char name[64];
    std::snprintf(name, sizeof name, "/death/death_%02d", i + 1);
    layout.AddFrame(group + name, 0, 0, cell, cell, [unit, pose, t, cell](cairo_t* cr) {
      DrawUnit(cr, unit, pose, 0, 0);
      // A puff of dusk smoke that spreads as the body goes.
      const double cx = cell / 2.0, cy = cell * kAnchorHeight;
      const double s = cell / 64.0;
      for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5 + 0.4;
        const double r = (4 + 14 * t) * s;
        cairo_new_path(cr);
        Ellipse(cr, cx + std::cos(a) * r, cy + std::sin(a) * r * 0.6 - 4 * s, (4 + 6 * t) * s, (3.5 + 5 * t) * s);
        SetColour(cr, Shade(palette::kDuskLight, 0.3), 0.55 * std::sin(M_PI * (0.15 + 0.8 * t)));
        cairo_fill(cr);
      }
    });
  }
  for (int i = 0; i < 6; ++i) {
    UnitPose pose;
    pose.pulse = std::sin(M_PI * (i + 0.5) / 6.0);
    pose.bob = -pixel * pose.pulse;
    char name[64];
    std::snprintf(name, sizeof name, "/special/special_%02d", i + 1);
    layout.AddFrame(group + name, 0, 0, cell, cell, [unit, pose](cairo_t* cr) { DrawUnit(cr, unit, pose, 0, 0); });
  }
}

}  // namespace art
