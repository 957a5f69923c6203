#pragma once

#include <optional>
#include <vector>

#include "Game/KpRouteBuilder.h"

class KpWaves;

// The lanes a level's waves walk, as the route builder asks for them: the
// lane keys of the entries of every wave that starts at a spawn point, in
// wave and entry order. Waves that ask for the default spawn point start at
// defaultSpawnPointId; with none, they walk no lane.
class KpWaveLanes : public WaveLanes {
 public:
  // The waves are not owned and must outlive the lanes.
  KpWaveLanes(const KpWaves& waves, std::optional<int> defaultSpawnPointId)
      : waves_(waves), defaultSpawnPointId_(defaultSpawnPointId) {}

  std::vector<int> laneKeysFrom(int spawnPointId) const override;

 private:
  const KpWaves& waves_;
  std::optional<int> defaultSpawnPointId_;
};
