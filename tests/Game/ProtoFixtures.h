#pragma once

#include <tinyxml2.h>

#include <map>
#include <set>
#include <string>

#include "Game/ConvertCsvToXml.h"
#include "Game/KpProtoLibrary.h"
#include "Core/Base/Log.h"
#include "Game/UpgradeSources.h"
#include "tests/Support/RecordingLogOutput.h"

namespace proto_fixtures {

// Keeps what the game logs from now on, without the log's greeting.
inline void RecordLog(std::vector<base::WString>& lines) {
  base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(lines));
  lines.clear();
}

// Bought levels by upgrade id; -1 for the others, as a profile without them.
class Levels : public UpgradeLevelSource {
 public:
  Levels(std::initializer_list<std::pair<const int, int>> bought = {}) : bought_(bought) {}
  void set(int upgradeId, int level) { bought_[upgradeId] = level; }
  int getUpgradeLevel(int upgradeId) override {
    const auto found = bought_.find(upgradeId);
    return found == bought_.end() ? -1 : found->second;
  }

 private:
  std::map<int, int> bought_;
};

// The same towers are open on the level and by progress.
class Unlocks : public TowerUnlocks {
 public:
  Unlocks(std::initializer_list<int> open = {}) : open_(open) {}
  bool isTowerUnlocked(int protoId) override { return open_.count(protoId) > 0; }
  bool isUnlockedByProgress(int protoId) override { return open_.count(protoId) > 0; }

 private:
  std::set<int> open_;
};

// A library of sheet texts, read as the map reads its sheets, without sprites.
inline void LoadLibrary(KpProtoLibrary& library, const std::string& units, const std::string& towers = {},
                        const std::string& ammo = {}) {
  tinyxml2::XMLDocument document;
  tinyxml2::XMLElement* data = document.NewElement("data");
  document.InsertEndChild(data);
  for (const auto& [name, text] : {std::pair{"towers", &towers}, {"units", &units}, {"ammo", &ammo}}) {
    tinyxml2::XMLElement* sheet = document.NewElement(name);
    ConvertCsvTextToXml(*text, name, *sheet);
    data->InsertEndChild(sheet);
  }
  library.load(*data, {});
}

}  // namespace proto_fixtures
