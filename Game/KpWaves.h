#pragma once

#include <functional>
#include <vector>

#include "Game/KpWaveProto.h"

namespace tinyxml2 {
class XMLElement;
}
class KpEnemy;
struct KpPoint;

// The scripted waves of a level and where the running ones stand.
class KpWaves {
 public:
  // Bounds on what one level file may ask for.
  static constexpr int kMaxWaves = 10000;
  static constexpr int kMaxEntries = 10000;

  KpWaves() = default;
  KpWaves(const KpWaves&) = delete;
  KpWaves& operator=(const KpWaves&) = delete;
  ~KpWaves();

  // Replaces the waves by those of the level's "waves" element: the first
  // "wave" child and every later sibling, whatever its name. The element's
  // "timeout", rounded down, is added to every wave's own. A wave without
  // entries is dropped and takes no number. A null element leaves no waves.
  // Returns the number of waves kept.
  int load(const tinyxml2::XMLElement* wavesElement);
  // Back to the start of the level: nothing runs, every wave waits with
  // nothing spawned.
  void reset();
  // The waves that start on their own; the HUD shows this total.
  int getWaveCount() const;

  // Logs every wave whose spawn point pointExists denies and returns how many
  // there are. The id kDefaultSpawner asks for the level's default spawn
  // point.
  int reportUnknownSpawnPoints(const std::function<bool(int pointId)>& pointExists) const;

  const std::vector<KpWaveProto*>& waves() const { return waves_; }
  const std::vector<KpWaveProto*>& running() const { return running_; }
  int currentWave() const { return currentWave_; }
  int finishedGroups() const { return finishedGroups_; }
  float globalTimeout() const { return globalTimeout_; }
  float elapsed() const { return elapsed_; }

  // A new unit of the entry at the spawn point, appended to the live units.
  KpEnemy* addEnemy(KpWaveEntry* entry, const KpPoint* spawnPoint);
  // The units on the map, in spawn order; owned.
  const std::vector<KpEnemy*>& enemies() const { return enemies_; }

 private:
  void clear();

  std::vector<KpWaveProto*> running_;
  // Owned, in file order.
  std::vector<KpWaveProto*> waves_;
  int currentWave_ = 0;
  int finishedGroups_ = 0;
  float globalTimeout_ = 0.0f;
  float elapsed_ = 0.0f;
  std::vector<KpEnemy*> enemies_;
};
