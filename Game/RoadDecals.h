#pragma once

#include <vector>

#include "Game/CurveGeometry.h"

namespace render {
class Graphics;
class Image;
}  // namespace render

class KpLink;
class RouteMap;

// Where the link's decals lie: its curve's start and then one point every 25
// units of arc; none on the end unless the spacing lands there. Nothing for a
// link whose points the map lacks.
std::vector<CurvePoint> LinkDecalPoints(const RouteMap& map, const KpLink& link);

// Stamps the brush centred on the decal points of every link, each moved
// right by shiftX and truncated to whole units. A null brush stamps nothing.
void DrawRoadDecals(render::Graphics& graphics, const RouteMap& map, render::Image* brush, float shiftX);
