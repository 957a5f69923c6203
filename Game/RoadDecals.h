#pragma once

namespace render {
class Graphics;
class Image;
}  // namespace render

class RouteMap;

// Stamps the brush centred on points of every link's curve, one every 25
// units of arc from its start, each moved right by shiftX and truncated to
// whole units. A null brush stamps nothing.
void DrawRoadDecals(render::Graphics& graphics, const RouteMap& map, render::Image* brush, float shiftX);
