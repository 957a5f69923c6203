#include "Game/LevelRouteCheck.h"

#include <string>

#include "Core/Base/TextConversion.h"
#include "Game/RouteMap.h"

namespace {

base::WString Wide(const std::string& text) { return base::ToWide(text, base::kEncodingUtf8); }

}  // namespace

base::WString RouteMapProblem(const RouteMap& map) {
  if (map.points().size() > kMaxLevelPoints)
    return Wide("the level has " + std::to_string(map.points().size()) + " points, more than " +
                std::to_string(kMaxLevelPoints));
  if (map.links().size() > kMaxLevelLinks)
    return Wide("the level has " + std::to_string(map.links().size()) + " links, more than " +
                std::to_string(kMaxLevelLinks));
  for (std::size_t i = 0; i < map.links().size(); ++i) {
    const KpLink& link = *map.links()[i];
    const std::string which = "link " + std::to_string(i + 1);
    if (link.startId == link.endId)
      return Wide(which + " joins the point " + std::to_string(link.startId) + " to itself");
    for (const int id : {link.startId, link.endId})
      if (!map.findPoint(id))
        return Wide(which + " names the point " + std::to_string(id) + " the level does not have");
  }
  return {};
}
