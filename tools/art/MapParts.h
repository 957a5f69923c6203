#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/MapPlan.h"
#include "tools/art/Paint.h"

// The pieces a map picture is made of, drawn in map units.
namespace art {

// The colours of an episode's country.
struct MapTheme {
  Rgb landDark, landLight, shore, waterDeep, waterLight;
  double waterLevel;  // ground below this height is water
  double roadLift;    // how much the ground rises under the roads
  double edgeSea;     // how much the ground sinks towards the picture's edges
  bool boardwalk;     // planks over the marsh, else cobbles
};

const MapTheme& ThemeOf(int episode);

// The ground's height at a point: water below the theme's water level.
double GroundHeight(const MapPlan& plan, const MapTheme& theme, double x, double y);

enum class SceneryKind { Reeds, Lantern, Stump, Rock, Tussock };

struct Scenery {
  SceneryKind kind;
  MapPoint base;  // where it stands: the middle of its foot
  double scale = 1;
  bool mirrored = false;
  std::uint64_t seed = 0;  // the small differences between pieces of a kind
};

// Scenery placed by the plan's seed where it hides neither a road nor a spot.
std::vector<Scenery> PlaceScenery(const MapPlan& plan, const MapTheme& theme);
// The cell a piece of scenery is drawn into, relative to its base, and the
// drawing (cell coordinates, base at (-left, -top)).
struct SceneryCell {
  int left, top, width, height;
};
SceneryCell CellOf(const Scenery& scenery);
void DrawScenery(cairo_t* cr, const Scenery& scenery);
std::string LayerNameOf(const Scenery& scenery, int number);

// The whole background in map units: ground and water, spot pads, roads,
// lights.
// The points of the "fx" group: fireflies over the marsh, gulls over the sea.
std::vector<MapPoint> PlaceEffects(const MapPlan& plan, const MapTheme& theme);

void DrawBackground(cairo_t* cr, const MapPlan& plan, const MapTheme& theme, const std::vector<Scenery>& scenery);
void DrawRoads(cairo_t* cr, const MapPlan& plan, const MapTheme& theme);

}  // namespace art
