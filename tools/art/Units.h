#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "tools/art/Layout.h"
#include "tools/art/Paint.h"

namespace art {

// The moment of an animation a unit is drawn at.
struct UnitPose {
  double bob = 0;     // body lift in pixels of the 64-pixel design box
  double swing = 0;   // limb and wing swing, -1 ... 1
  double pulse = 0;   // glow of the special action, 0 ... 1
  double fade = 1;    // opacity of the body (dying)
  double shrink = 1;  // size of the body (dying)
};

using UnitDrawing = void (*)(cairo_t*, const UnitPose&);

struct UnitDesign {
  const char* name;   // group of the layout
  int cell;           // 64, 96 or 128 pixels square
  UnitDrawing draw;   // in a 64 x 64 design box centred on the unit's anchor
  Rgb aura;           // the glow of its special action
};

// The sheet's unit layouts, each with the designs of its units.
struct UnitSheet {
  const char* path;
  std::vector<UnitDesign> units;
};
const std::vector<UnitSheet>& UnitSheets();

// A unit's groups: its reference point as the root layer, then "walk" (8),
// "death" (6) and "special" (6).
void AddUnit(Layout& layout, const UnitDesign& unit);
// One pose of a unit, drawn facing right into a cell-sized area at (x, y).
void DrawUnit(cairo_t* cr, const UnitDesign& unit, const UnitPose& pose, double x, double y);

}  // namespace art
