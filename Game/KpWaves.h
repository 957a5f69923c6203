#pragma once

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "Game/KpWaveProto.h"
#include "Game/WaveWorld.h"

namespace tinyxml2 {
class XMLElement;
}
class KpEnemy;
struct KpPoint;

// The scripted waves of a level, the enemies they put on the map and the
// schedule: one wave of its own at a time starts with the waves linked to
// it, and the next starts once every unit of the group is killed or has
// escaped.
class KpWaves {
 public:
  // Bounds on what one level file may ask for.
  static constexpr int kMaxWaves = 10000;
  static constexpr int kMaxEntries = 10000;
  // The next spawn time while no wave runs.
  static constexpr float kNoSpawnTime = 10000000.0f;

  // Without a world the waves only load: update does nothing.
  explicit KpWaves(std::unique_ptr<WaveWorld> world = nullptr);
  KpWaves(const KpWaves&) = delete;
  KpWaves& operator=(const KpWaves&) = delete;
  ~KpWaves();

  // Replaces the waves by those of the level's "waves" element: the first
  // "wave" child and every later sibling, whatever its name. The element's
  // "timeout", rounded down, is added to every wave's own. A wave without
  // entries is dropped and takes no number. A null element leaves no waves.
  // The live units and the hints go with the old waves. Returns the number
  // of waves kept.
  int load(const tinyxml2::XMLElement* wavesElement);
  // Back to the start of the level: no unit on the map, no hint, nothing
  // runs, every wave waits with nothing spawned.
  void reset();
  // The waves that start on their own; the HUD shows this total.
  int getWaveCount() const;

  // One frame of the schedule; dt already carries the game speed. Removes
  // the units that left play (paying a wave's wipe award when its last unit
  // is killed), runs the waves of the current group, starts the next group
  // with its hints, and tells the world the level is won once no wave is
  // left.
  void update(float dt);
  // A new unit of the entry at the spawn point, appended to the live units;
  // the entry counts as spawned.
  KpEnemy* addEnemy(KpWaveEntry* entry, const KpPoint* spawnPoint);
  // Runs every effect of every live unit once; effects and units added
  // meanwhile run in the same pass.
  void updateModifiers(float dt);
  // The first live unit whose current frame contains the point, edges
  // included; null when none does.
  KpEnemy* enemyAt(float x, float y) const;
  // Appends, in list order, the live units standing at most diameter / 2
  // from the point.
  void collectEnemiesInRadius(float x, float y, float diameter, std::vector<KpEnemy*>& out) const;
  // True when every running wave is over; true when none runs.
  bool allWavesFinished() const;
  // Starts every wave linked to the current one.
  void activateLinkedWaves();
  // The earliest start among the running waves, in seconds on their clocks.
  float nextSpawnTime() const;
  // Sets the group's clock and every running wave's clock.
  void setElapsed(float t);
  // The player calls the next wave at its hint: twice the seconds saved are
  // paid, the clocks jump to the hint time so that what is due by then comes
  // at the next update, and the hints go. Returns the money paid; nothing
  // happens, and 0 is returned, while no hint shows.
  int callNextWaveEarly();

  // Logs every wave whose spawn point pointExists denies and returns how many
  // there are. The id kDefaultSpawner asks for the level's default spawn
  // point.
  int reportUnknownSpawnPoints(const std::function<bool(int pointId)>& pointExists) const;

  const std::vector<KpWaveProto*>& waves() const { return waves_; }
  const std::vector<KpWaveProto*>& running() const { return running_; }
  // The units on the map, in spawn order; owned.
  const std::vector<KpEnemy*>& enemies() const { return enemies_; }
  int currentWave() const { return currentWave_; }
  int finishedGroups() const { return finishedGroups_; }
  float globalTimeout() const { return globalTimeout_; }
  float elapsed() const { return elapsed_; }

 private:
  void clear();
  // Deletes the live units, telling the world of each while it still can.
  void removeAllEnemies();
  void removeUnitsOutOfPlay();
  void runGroup(float dt);
  void startNextGroup();
  void addHints();
  // The point a wave's units enter at; null when the level lacks it.
  const KpPoint* spawnPointOf(int spawner) const;
  // Puts the entry's unit on the map; false when it cannot come, logged
  // once per unknown unit or point.
  bool spawnEntry(KpWaveEntry& entry);

  std::unique_ptr<WaveWorld> world_;
  std::vector<KpWaveProto*> running_;
  // Owned, in file order.
  std::vector<KpWaveProto*> waves_;
  // Owned, in spawn order.
  std::vector<KpEnemy*> enemies_;
  int currentWave_ = 0;
  int finishedGroups_ = 0;
  float globalTimeout_ = 0.0f;
  float elapsed_ = 0.0f;
  // What the level's entries ask for and the level lacks, logged once.
  std::set<int> unknownUnits_;
  std::set<int> unknownPoints_;
};
