#include "tools/art/Maps.h"

#include <memory>
#include <string>

#include "tools/art/MapParts.h"

namespace art {

void AddMap(Layout& layout, const MapLevel& level) {
  // The frames are drawn later, on any thread: they share the plan.
  const auto plan = std::make_shared<const MapPlan>(level);
  const MapTheme& theme = ThemeOf(level.episode);
  const auto scenery = std::make_shared<const std::vector<Scenery>>(PlaceScenery(*plan, theme));
  layout.AddFrame("background", kMapLeft, 0, kMapWidth, kMapHeight,
                  [plan, scenery, &theme](cairo_t* cr) { DrawBackground(cr, *plan, theme, *scenery); });
  int number = 0;
  for (const Scenery& item : *scenery) {
    const SceneryCell cell = CellOf(item);
    layout.AddFrame(LayerNameOf(item, ++number), static_cast<int>(item.base.x) + cell.left,
                    static_cast<int>(item.base.y) + cell.top, cell.width, cell.height,
                    [item](cairo_t* cr) { DrawScenery(cr, item); });
  }
  number = 0;
  for (const MapPoint& point : PlaceEffects(*plan, theme))
    layout.AddMarker("fx/point_" + std::to_string(++number), static_cast<int>(point.x), static_cast<int>(point.y));
}

}  // namespace art
