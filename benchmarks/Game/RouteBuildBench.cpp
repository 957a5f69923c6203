#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <string>
#include <vector>

#include "Game/KpRouteBuilder.h"
#include "Game/RouteMap.h"
#include "tests/Game/LevelWaveLanes.h"

namespace {

// The routes of the first campaign level computed from its curves, as a level
// start without a route cache does.
void BM_BuildLevelRoutes(benchmark::State& state) {
  const std::string path = std::string(LF_GAME_DATA_ROOT) + "/kp/levels_normal/level_01_01.xml";
  tinyxml2::XMLDocument document;
  if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
    state.SkipWithError("the level is not in the data root");
    return;
  }
  const tinyxml2::XMLElement& mapElement = *document.FirstChildElement("map");
  RouteMap map;
  map.load(mapElement, 1.0f);
  const route_test::LevelWaveLanes waves(mapElement.FirstChildElement("waves"));
  KpRouteBuilder builder;
  for (auto _ : state) {
    builder.build(map, waves, u"no such cache");
    benchmark::DoNotOptimize(builder.entries().data());
  }
}
BENCHMARK(BM_BuildLevelRoutes)->Unit(benchmark::kMillisecond);

// One shortest-way search over a line of points, as long as the largest maps
// the game guards against.
void BM_FindRouteOverALine(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::string text = "<map><points>";
  for (int id = 1; id <= count; ++id)
    text += "<p id='" + std::to_string(id) + "' x='" + std::to_string(id) + "' y='0'/>";
  text += "</points><links>";
  for (int id = 2; id <= count; ++id)
    text += "<l sid='" + std::to_string(id - 1) + "' eid='" + std::to_string(id) + "'/>";
  text += "</links></map>";
  tinyxml2::XMLDocument document;
  document.Parse(text.c_str());
  RouteMap map;
  map.load(*document.RootElement(), 1.0f);
  for (auto _ : state) benchmark::DoNotOptimize(map.findRoute(*map.points().front(), *map.points().back()));
}
BENCHMARK(BM_FindRouteOverALine)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
