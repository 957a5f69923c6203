#pragma once

#include "Game/RoutePoint.h"

// The curve arithmetic of links, bullets and spells, all in 32-bit floats.
// Map coordinates grow downwards in y.

struct CurvePoint {
  float x = 0.0f;
  float y = 0.0f;
};

// A quadratic Bezier curve from start over the control point to end.
struct QuadCurve {
  CurvePoint start;
  CurvePoint control;
  CurvePoint end;
};

void QuadBezierPoint(CurvePoint& out, const QuadCurve& curve, float t);
// The unit normal (-dy, dx) of the chord from t to t + 0.01; near the end the
// chord runs back to 0.98 and the normal is turned round, so it stays on the
// same side of the direction of travel. (0, 0) when the chord has no length.
void QuadBezierNormal(CurvePoint& out, const QuadCurve& curve, float t);

// The length of the curve moved sideways by offset along its normal,
// measured over parameter steps of 0.0001.
float OffsetCurveLength(const QuadCurve& curve, float offset);
// The parameter at which the moved curve, walked from t0, has covered the
// distance; it may lie beyond 1 (the parabola goes on). The walk gives up
// after two curves' worth of steps, so a curve without length, or one of
// numbers that are not finite, still ends.
float OffsetCurveParamAtDistance(const QuadCurve& curve, float t0, float distance, float offset);
// Appends the moved curve's points at equal arc steps of 1/count of its
// length, the first at the start; about count records. A curve without
// length, or a count that gives no positive step, yields the start alone.
void BuildOffsetCurveSamples(const QuadCurve& curve, float offset, int count, OwnedRoutePoints& out);

float ClampNonNegative(float value);
// a on a tie.
float MinFloat(float a, float b);
// Turns an angle from the x axis into the rotation of an image that points up.
float RotateAngleMinus90(float degrees);
// A point at a random angle and a random distance between the radii, drawn
// from the program-wide random sequence, angle first.
void RandomPointInRing(CurvePoint& out, float centreX, float centreY, float outerRadius, float innerRadius);
float Distance2D(float x1, float y1, float x2, float y2);
