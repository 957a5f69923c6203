#include "tools/art/MapLevel.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string_view>

#include "Core/Base/NumberText.h"

namespace art {

namespace {

// Farther than any map reaches: a level beyond it is broken, not big.
constexpr double kFarthest = 10000;

double Coordinate(const tinyxml2::XMLElement& element, const char* name) {
  const char* text = element.Attribute(name);
  const std::optional<float> value = text ? base::LeadingFloat(text) : std::nullopt;
  return value && std::isfinite(*value) ? *value : 0.0;
}

int Integer(const tinyxml2::XMLElement& element, const char* name) {
  const char* text = element.Attribute(name);
  return text ? base::LeadingInt(text).value_or(0) : 0;
}

// The value of the property <p name="name" value="..."/>, 0 when absent.
int Property(const tinyxml2::XMLElement& element, std::string_view name) {
  for (const tinyxml2::XMLElement* p = element.FirstChildElement(); p; p = p->NextSiblingElement()) {
    const char* key = p->Attribute("name");
    if (key && name == key) return Integer(*p, "value");
  }
  return 0;
}

bool Near(const MapPoint& p) { return std::fabs(p.x) < kFarthest && std::fabs(p.y) < kFarthest; }

// The layout folder of an "li" text, found as the game finds it: the part
// after the last "/kp/data/", else the text itself, without its file name.
std::string LayoutOf(std::string text) {
  const std::size_t data = text.rfind("/kp/data/");
  if (data != std::string::npos) text = "kp/data/" + text.substr(data + 9);
  const std::size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string() : text.substr(0, slash);
}

}  // namespace

MapPoint MapLink::At(double t) const {
  const double u = 1 - t;
  return {u * u * start.x + 2 * t * u * anchor.x + t * t * end.x,
          u * u * start.y + 2 * t * u * anchor.y + t * t * end.y};
}

MapPoint MapLink::Tangent(double t) const {
  return {2 * (1 - t) * (anchor.x - start.x) + 2 * t * (end.x - anchor.x),
          2 * (1 - t) * (anchor.y - start.y) + 2 * t * (end.y - anchor.y)};
}

std::optional<MapLevel> ReadMapLevel(const std::filesystem::path& file) {
  const std::string name = file.string();
  tinyxml2::XMLDocument document;
  if (document.LoadFile(name.c_str()) != tinyxml2::XML_SUCCESS) {
    std::fprintf(stderr, "%s: cannot read the level: %s\n", name.c_str(), document.ErrorStr());
    return std::nullopt;
  }
  const tinyxml2::XMLElement* map = document.FirstChildElement("map");
  const tinyxml2::XMLElement* li = map ? map->FirstChildElement("li") : nullptr;
  MapLevel level;
  level.layout = li && li->GetText() ? LayoutOf(li->GetText()) : std::string();
  // The layout is written under the data root, and nowhere else.
  const std::filesystem::path layout(level.layout);
  const bool inside = !layout.empty() && layout.is_relative() &&
                      std::none_of(layout.begin(), layout.end(), [](const auto& part) { return part == ".."; });
  if (!inside) {
    std::fprintf(stderr, "%s: no map layout inside the data is named\n", name.c_str());
    return std::nullopt;
  }
  const std::string stem = file.stem().string();  // level_EE_LL
  level.episode = stem.size() > 6 ? base::LeadingInt(std::string_view(stem).substr(6)).value_or(0) : 0;

  std::map<int, MapPoint> points;
  const tinyxml2::XMLElement* pointList = map->FirstChildElement("points");
  for (const tinyxml2::XMLElement* p = pointList ? pointList->FirstChildElement() : nullptr; p;
       p = p->NextSiblingElement()) {
    const MapPoint at{Coordinate(*p, "x"), Coordinate(*p, "y")};
    points[Integer(*p, "id")] = at;
    if (Property(*p, "spawn") == 1) level.spawns.push_back(at);
    if (Property(*p, "goal") == 1) level.goals.push_back(at);
  }
  const tinyxml2::XMLElement* linkList = map->FirstChildElement("links");
  for (const tinyxml2::XMLElement* l = linkList ? linkList->FirstChildElement() : nullptr; l;
       l = l->NextSiblingElement()) {
    const auto start = points.find(Integer(*l, "sid"));
    const auto end = points.find(Integer(*l, "eid"));
    if (start == points.end() || end == points.end()) {
      std::fprintf(stderr, "%s: a link joins a point the level does not have\n", name.c_str());
      return std::nullopt;
    }
    level.links.push_back({start->second, {Coordinate(*l, "anchor_x"), Coordinate(*l, "anchor_y")}, end->second});
  }
  const tinyxml2::XMLElement* spotList = map->FirstChildElement("spots");
  for (const tinyxml2::XMLElement* s = spotList ? spotList->FirstChildElement() : nullptr; s;
       s = s->NextSiblingElement()) {
    const MapPoint at{Coordinate(*s, "x"), Coordinate(*s, "y")};
    if (Near(at)) level.spots.push_back({at, Property(*s, "type")});
  }

  for (const MapLink& link : level.links) {
    if (Near(link.start) && Near(link.anchor) && Near(link.end)) continue;
    std::fprintf(stderr, "%s: a link reaches far beyond the map\n", name.c_str());
    return std::nullopt;
  }
  return level;
}

}  // namespace art
