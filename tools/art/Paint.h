#pragma once

#include <cairo.h>

#include <cstdint>

// The game's visual language: flat fills with one highlight band, a soft dark
// outline, glowing eyes and lantern light as additive radial gradients.
namespace art {

struct Rgb {
  double r, g, b;
};

constexpr Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// Towards white (t > 0) or black (t < 0).
Rgb Shade(Rgb colour, double t);

namespace palette {
constexpr Rgb kNight = Hex(0x141A2E), kNightBlue = Hex(0x232C4A), kNightLight = Hex(0x36406B);
constexpr Rgb kMarsh = Hex(0x2F3D2C), kMarshLight = Hex(0x4B5E3A);
constexpr Rgb kWater = Hex(0x1B3A4B), kWaterLight = Hex(0x2E5D6E);
constexpr Rgb kChalk = Hex(0xC9C3B0), kChalkLight = Hex(0xE8E4D8);
constexpr Rgb kLantern = Hex(0xFFB347), kLanternLight = Hex(0xFFD98A), kLanternCore = Hex(0xFFF3C4);
constexpr Rgb kFire = Hex(0xFF6A2B), kFireLight = Hex(0xFFA43A);
constexpr Rgb kDusk = Hex(0x5B3F7A), kDuskLight = Hex(0x8D6BB5), kEyes = Hex(0xC8F0FF);
constexpr Rgb kParchment = Hex(0xE9D9B4), kInk = Hex(0x2A1E14);
constexpr Rgb kCoin = Hex(0xFFCF4A), kEmber = Hex(0x5FD3FF);
constexpr Rgb kOutline = Hex(0x0D0F1A);
constexpr Rgb kWood = Hex(0x6B4A2E), kStone = Hex(0x7C7A74), kBrass = Hex(0xC89B3C), kIron = Hex(0x3A3D47);
}  // namespace palette

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// Fills the current path flat, lays the highlight band over its upper left
// part and strokes the outline; the path is consumed.
void Solid(cairo_t* cr, Rgb fill, double alpha = 1.0);
// The same without the highlight band, for small or thin parts.
void Flat(cairo_t* cr, Rgb fill, double alpha = 1.0);

// A round-capped line with its outline; the line stays the current path.
void OutlinedLine(cairo_t* cr, double x1, double y1, double x2, double y2, double width, Rgb colour);

// Path helpers (they only add to the path).
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Light added onto what is there: a radial gradient from colour at the centre
// to nothing at the radius.
void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double strength = 1.0);
// A pair of glowing eyes, each of the given size, centred at (x1, y), (x2, y).
void Eyes(cairo_t* cr, double x1, double x2, double y, double size, Rgb colour = palette::kEyes);

}  // namespace art
