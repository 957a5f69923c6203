#include "Game/PrototypeSheets.h"

#include <tinyxml2.h>

#include "Game/ConvertCsvToXml.h"
#include "Game/DataProblems.h"
#include "Game/KpProtoLibrary.h"

void LoadPrototypeSheets(KpProtoLibrary& library, const ProtoReading& reading) {
  tinyxml2::XMLDocument document;
  tinyxml2::XMLElement* data = document.NewElement("data");
  document.InsertEndChild(data);
  const std::pair<const char*, const char16_t*> sheets[] = {
      {"towers", u"kp/towers_sheet.csv"}, {"units", u"kp/units_sheet.csv"}, {"ammo", u"kp/ammo_sheet.csv"}};
  for (const auto& [name, path] : sheets) {
    tinyxml2::XMLElement* sheet = document.NewElement(name);
    ConvertCsvToXml(path, *sheet);
    data->InsertEndChild(sheet);
  }
  library.clear();
  if (reading.problems) {
    library.load(*data, reading);
    return;
  }
  DataProblems problems("prototype sheets");
  ProtoReading noting = reading;
  noting.problems = &problems;
  library.load(*data, noting);
}
