#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <string>

#include "Game/ConvertCsvToXml.h"
#include "Game/KpProtoLibrary.h"

namespace {

// A sheet of the campaign's shape: top-level rows, each with two tiers.
std::string Sheet(int rows) {
  std::string text = "id;parent;type;levelid;require;psd;cost;r;strength;cooldown;speed;ammoid;air;addons;fillColor\n";
  for (int row = 0; row < rows; ++row) {
    const int top = row / 3 * 3;
    const std::string parent = row == top ? "-1" : std::to_string(top);
    text += std::to_string(row) + ";" + parent + ";1;" + std::to_string(row - top) +
            ";0;t_wick;70,5;300;16;0,5;450;2001;1;aim/air;ff102030\n";
  }
  return text;
}

void BM_SheetToXml(benchmark::State& state) {
  const std::string text = Sheet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* towers = document.NewElement("towers");
    document.InsertEndChild(towers);
    ConvertCsvTextToXml(text, "towers", *towers);
    benchmark::DoNotOptimize(towers->FirstChild());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SheetToXml)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_SheetToLibrary(benchmark::State& state) {
  const std::string text = Sheet(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* data = document.NewElement("data");
    document.InsertEndChild(data);
    tinyxml2::XMLElement* towers = document.NewElement("towers");
    data->InsertEndChild(towers);
    ConvertCsvTextToXml(text, "towers", *towers);
    KpProtoLibrary library;
    library.load(*data, {});
    benchmark::DoNotOptimize(library.find(0));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SheetToLibrary)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
