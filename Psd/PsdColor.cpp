#include "Psd/PsdColor.h"

#include <algorithm>
#include <cmath>

#include "Psd/PsdError.h"

namespace psd {

namespace {

std::uint32_t ClampChannel(double value) {
  return static_cast<std::uint32_t>(std::clamp(std::trunc(value), 0.0, 255.0));
}

double LabInverse(double f) {
  const double cube = f * f * f;
  return cube > 0.008856 ? cube : (f - 16.0 / 116.0) / 7.787;
}

double SrgbCompand(double v) {
  return v > 0.0031308 ? 1.055 * std::pow(v, 1.0 / 2.4) - 0.055 : 12.92 * v;
}

double HueChannel(double m1, double m2, int hue) {
  int x = hue % 360;
  if (x < 0) {
    x += 360;
  }
  if (x < 60) {
    return (m1 + (m2 - m1) * x / 60.0) * 255.0;
  }
  if (x < 180) {
    return m2 * 255.0;
  }
  if (x < 240) {
    return (m1 + (m2 - m1) * (240 - x) / 60.0) * 255.0;
  }
  return m1 * 255.0;
}

std::uint32_t Opaque(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

std::uint32_t ConvertHsb(int hue, double s, double l) {
  if (s == 0.0) {
    const std::uint32_t gray = ClampChannel(l * 255.0);
    return Opaque(gray, gray, gray);
  }
  const double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double m1 = 2.0 * l - m2;
  return Opaque(ClampChannel(HueChannel(m1, m2, hue + 120)), ClampChannel(HueChannel(m1, m2, hue)),
                ClampChannel(HueChannel(m1, m2, hue - 120)));
}

std::uint32_t ConvertCmyk(double c, double m, double y, double k) {
  const auto channel = [k](double ink) { return ClampChannel((1.0 - (k + (1.0 - k) * ink)) * 255.0); };
  return Opaque(channel(c), channel(m), channel(y));
}

}  // namespace

std::uint32_t ConvertPsdLab(std::uint8_t alpha, double l, double a, double b) {
  const double fy = (l + 16.0) / 116.0;
  const double fx = fy + a / 500.0;
  const double fz = fy - b / 200.0;
  const double x = LabInverse(fx) * 95.047 / 100.0;
  const double y = LabInverse(fy) * 100.0 / 100.0;
  const double z = LabInverse(fz) * 108.883 / 100.0;
  const double red = 3.2406 * x - 1.5372 * y - 0.4986 * z;
  const double green = -0.9689 * x + 1.8758 * y + 0.0415 * z;
  const double blue = 0.0557 * x - 0.2040 * y + 1.0570 * z;
  return static_cast<std::uint32_t>(alpha) << 24 | ClampChannel(SrgbCompand(red) * 256.0) << 16 |
         ClampChannel(SrgbCompand(green) * 256.0) << 8 | ClampChannel(SrgbCompand(blue) * 256.0);
}

int ConvertPsdColor(std::uint32_t* result, int space, int c0, int c1, int c2, int c3) {
  switch (space) {
    case 0:
      *result = Opaque(static_cast<std::uint32_t>(c0) & 255, static_cast<std::uint32_t>(c1) & 255,
                       static_cast<std::uint32_t>(c2) & 255);
      return kPsdOk;
    case 1:
      *result = ConvertHsb(c0, c1 / 100.0, c2 / 100.0);
      return kPsdOk;
    case 2:
      *result = ConvertCmyk(c0 / 100.0, c1 / 100.0, c2 / 100.0, c3 / 100.0);
      return kPsdOk;
    case 7:
      *result = ConvertPsdLab(255, c0, c1, c2);
      return kPsdOk;
    default:
      *result = 0x00FFFFFF;
      return kPsdBadColorSpace;
  }
}

std::uint32_t ReadPsdColor(PsdCursor& cursor) {
  const int space = cursor.I16();
  int components[4];
  for (int& component : components) {
    component = cursor.I16() >> 8;
  }
  std::uint32_t color = 0;
  ConvertPsdColor(&color, space, components[0], components[1], components[2], components[3]);
  return color;
}

}  // namespace psd
