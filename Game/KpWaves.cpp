#include "Game/KpWaves.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>

#include "Core/Base/LogMessage.h"
#include "Game/KpEnemy.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"

KpWaves::~KpWaves() { clear(); }

void KpWaves::clear() {
  // The units point at the waves' entries.
  DeleteAllPointers(enemies_);
  running_.clear();
  DeleteAllPointers(waves_);
}

int KpWaves::load(const tinyxml2::XMLElement* wavesElement) {
  clear();
  currentWave_ = 0;
  elapsed_ = 0.0f;
  globalTimeout_ = 0.0f;
  if (!wavesElement) {
    QL_LOG(u"The level has no waves\n");
    return 0;
  }
  globalTimeout_ = LevelFloat(*wavesElement, "timeout", 0.0f);
  const int globalPart = TruncateToInt(std::floor(globalTimeout_));

  int entriesLeft = kMaxEntries;
  for (const tinyxml2::XMLElement* element = wavesElement->FirstChildElement("wave"); element;
       element = element->NextSiblingElement()) {
    if (static_cast<int>(waves_.size()) == kMaxWaves) {
      QL_LOG(u"The level has more than %d waves; the waves from line %d on are left out\n")
          .AddArg(kMaxWaves)
          .AddArg(element->GetLineNum());
      break;
    }
    auto* wave = new KpWaveProto;
    entriesLeft -= wave->loadFromXML(*element, entriesLeft);
    wave->timeout = AddClamped(wave->timeout, globalPart);
    if (wave->entries.empty()) {
      QL_LOG(u"The wave on line %d has no entries and is left out\n").AddArg(element->GetLineNum());
      delete wave;
      continue;
    }
    waves_.push_back(wave);
  }
  if (waves_.empty()) QL_LOG(u"The level has no waves\n");
  const int count = static_cast<int>(waves_.size());
  for (int i = 0; i < count; ++i) {
    const int linked = waves_[i]->linked;
    if (linked != KpWaveProto::kNotLinked && (linked < 0 || linked >= count))
      QL_LOG(u"Wave %d is linked to wave %d, which the level does not have, and never runs\n").AddArg(i).AddArg(linked);
  }
  return count;
}

void KpWaves::reset() {
  DeleteAllPointers(enemies_);
  running_.clear();
  currentWave_ = 0;
  finishedGroups_ = 0;
  elapsed_ = 0.0f;
  for (KpWaveProto* wave : waves_) wave->reset();
}

int KpWaves::getWaveCount() const {
  return static_cast<int>(std::count_if(
      waves_.begin(), waves_.end(), [](const KpWaveProto* wave) { return wave->linked == KpWaveProto::kNotLinked; }));
}

int KpWaves::reportUnknownSpawnPoints(const std::function<bool(int pointId)>& pointExists) const {
  int unknown = 0;
  for (std::size_t i = 0; i < waves_.size(); ++i) {
    const int spawner = waves_[i]->spawner;
    if (pointExists(spawner)) continue;
    ++unknown;
    if (spawner == KpWaveProto::kDefaultSpawner)
      QL_LOG(u"Wave %d starts at the default spawn point, but the level has none\n").AddArg(static_cast<int>(i));
    else
      QL_LOG(u"Wave %d starts at point %d, which the level does not have\n")
          .AddArg(static_cast<int>(i))
          .AddArg(spawner);
  }
  return unknown;
}

KpEnemy* KpWaves::addEnemy(KpWaveEntry* entry, const KpPoint* spawnPoint) {
  auto* unit = new KpEnemy(entry);
  unit->spawnPoint = spawnPoint;
  if (entry) entry->spawned = true;
  enemies_.push_back(unit);
  return unit;
}
