#pragma once

#include <memory>
#include <vector>

#include "Core/Base/MathTransform.h"

namespace render {
class Graphics;
}
class KpFrameEntry;
class KpMap;

// While it lives, what is drawn is placed as the map places it (a map point
// times the map's scale plus its offset); the transform before it comes back
// when it goes.
class MapTransformScope {
 public:
  MapTransformScope(render::Graphics& graphics, const KpMap& map);
  MapTransformScope(const MapTransformScope&) = delete;
  MapTransformScope& operator=(const MapTransformScope&) = delete;
  ~MapTransformScope();

 private:
  render::Graphics& graphics_;
  math::Transform* previous_;
  math::Transform transform_;
};

// One frame of the level's scene, bottom first; owns its entries.
using MapFrameList = std::vector<std::unique_ptr<KpFrameEntry>>;

// Gathers the frame: the level's ordinary layers and spots (the last of them
// lowest), the animated sprites, the ground units' shadows, towers and ground
// units by depth, the layers that stand in front of them ('^', '$' and the
// spot markers "##"), the shadows of flying and raised units, those units by
// depth, the hit effects and the wave hints. The entries the towers and units
// queued move into the list, leaving the map's queues empty; the level's
// layers and hints enter as copies, so the list never frees what the level
// keeps.
MapFrameList TakeMapFrameList(KpMap& map);

// Draws the list in order, placed with the map's transform.
void DrawMapFrameList(render::Graphics& graphics, const KpMap& map, const MapFrameList& list);
