#pragma once

#include <memory>

class KpEnemy;
class KpMap;
struct KpPoint;
class KpWaveEntry;
class KpWaveHints;

// What the wave schedule asks of the level it runs on: the map in the game,
// a small stand-in in tests.
class WaveWorld {
 public:
  virtual ~WaveWorld() = default;

  // Null when the level has no point of that id.
  virtual const KpPoint* findPoint(int id) const = 0;
  // The first point whose "spawn" property is 1; null when none is.
  virtual const KpPoint* findSpawnPoint() const = 0;
  // Whether the prototype sheets have the entry's unit.
  virtual bool hasUnit(const KpWaveEntry& entry) const = 0;
  // Puts the entry's unit on the map through KpWaves::addEnemy; null when
  // none could be made.
  virtual KpEnemy* spawnUnit(KpWaveEntry* entry, const KpPoint* spawnPoint) = 0;
  // The unit has left play and is deleted right after: whatever points at
  // it forgets it.
  virtual void onUnitRemoved(KpEnemy* unit) = 0;
  virtual void addMoney(int amount) = 0;
  // Null while the map's interface pictures are not loaded.
  virtual KpWaveHints* waveHints() = 0;
  virtual void levelWon() = 0;
};

// The map as the world of its waves; the map must outlive it.
std::unique_ptr<WaveWorld> MakeMapWaveWorld(KpMap& map);
