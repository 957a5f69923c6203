#include "Game/KpWaveLanes.h"

#include "Game/KpWaves.h"

std::vector<int> KpWaveLanes::laneKeysFrom(int spawnPointId) const {
  std::vector<int> keys;
  for (const KpWaveProto* wave : waves_.waves()) {
    const bool atDefault = wave->spawner == KpWaveProto::kDefaultSpawner;
    if (atDefault && !defaultSpawnPointId_) continue;
    if ((atDefault ? *defaultSpawnPointId_ : wave->spawner) != spawnPointId) continue;
    for (const KpWaveEntry* entry : wave->entries) keys.push_back(entry->laneKey());
  }
  return keys;
}
