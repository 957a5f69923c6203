#pragma once

#include <cstdint>

#include "Psd/PsdCursor.h"

namespace psd {

// CIE Lab (L 0..100, a and b about -128..127) to 0xAARRGGBB through D65 sRGB.
std::uint32_t ConvertPsdLab(std::uint8_t alpha, double l, double a, double b);
// A colour of space 0 RGB, 1 HSB, 2 CMYK or 7 Lab to 0xAARRGGBB; any other
// space gives 0x00FFFFFF and kPsdBadColorSpace.
int ConvertPsdColor(std::uint32_t* result, int space, int c0, int c1, int c2, int c3);
// A 10-byte colour record: space and four components of which the signed high
// bytes count.
std::uint32_t ReadPsdColor(PsdCursor& cursor);

}  // namespace psd
