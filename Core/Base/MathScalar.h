#pragma once

#include <cmath>

namespace math {

// Float overloads keep the game's figures in single precision; the double
// overloads exist for the few callers that need the wider range.
inline float Atan2(float y, float x) { return std::atan2(y, x); }
inline float Ceil(float value) { return std::ceil(value); }
inline float Floor(float value) { return std::floor(value); }
inline double Floor(double value) { return std::floor(value); }
inline float Cos(float radians) { return std::cos(radians); }
inline double Cos(double radians) { return std::cos(radians); }
inline float Sin(float radians) { return std::sin(radians); }
inline double Sin(double radians) { return std::sin(radians); }
inline float Abs(float value) { return std::fabs(value); }
inline float Sqrt(float value) { return std::sqrt(value); }
inline double Log10(double value) { return std::log10(value); }
inline double Pow(double base, double exponent) { return std::pow(base, exponent); }

// Moves value one step towards target. Returns true once value has arrived;
// the call that lands exactly on the target still returns false, so callers
// see the arrival one frame later.
bool MoveTowards(float& value, float step, float target);

}  // namespace math
