#pragma once

#include <tinyxml2.h>

#include <map>
#include <vector>

#include "Game/KpRouteBuilder.h"
#include "Game/XmlAttributes.h"

namespace route_test {

// The lane keys of a level file's waves ("wave" elements with a "spawn" id,
// "e" entries with a "y"), read as the wave loader reads them.
class LevelWaveLanes : public WaveLanes {
 public:
  explicit LevelWaveLanes(const tinyxml2::XMLElement* waves) {
    if (!waves) return;
    for (const auto* wave = waves->FirstChildElement("wave"); wave; wave = wave->NextSiblingElement("wave")) {
      std::vector<int>& keys = lanes_[xml_attributes::ReadInt(*wave, "spawn")];
      for (const auto* entry = wave->FirstChildElement("e"); entry; entry = entry->NextSiblingElement("e"))
        keys.push_back(LaneKeyOfEntry(xml_attributes::ReadFloat(*entry, "y")));
    }
  }
  std::vector<int> spawnPointIds() const {
    std::vector<int> ids;
    for (const auto& [id, keys] : lanes_) ids.push_back(id);
    return ids;
  }
  std::vector<int> laneKeysFrom(int spawnPointId) const override {
    const auto found = lanes_.find(spawnPointId);
    return found == lanes_.end() ? std::vector<int>{} : found->second;
  }

 private:
  std::map<int, std::vector<int>> lanes_;
};

}  // namespace route_test
