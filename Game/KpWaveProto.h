#pragma once

#include <functional>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}
class KpWaveProto;

// One enemy of a scripted wave: which unit comes, when and on which lane.
class KpWaveEntry {
 public:
  enum State { kNotSpawned = -1, kKilled = 2, kEscaped = 3, kSpawned = 7 };
  // Entries made while the level runs, for summoned units, carry this x.
  static constexpr float kMadeAtRunTime = -1.0f;
  // x counts in these parts of a second.
  static constexpr float kTicksPerSecond = 45.0f;

  explicit KpWaveEntry(KpWaveProto* wave) : wave(wave) {}

  // The attributes "id", "upgrade", "x" and "y".
  void loadFromXML(const tinyxml2::XMLElement& element);
  void setState(int value) { state = value; }
  // The lateral offset of the lane the unit walks, in map units: y 0, -65
  // and -130 walk the lanes -20, 0 and 20.
  int laneKey() const;

  int state = kNotSpawned;
  int unitId = 0;
  // The unit's tier plus 1: 1 is the base prototype.
  int upgrade = 1;
  // The spawn time in 45ths of a second after the wave's timeout, before
  // the wave's scale.
  float x = 0.0f;
  float y = 0.0f;
  bool spawned = false;
  KpWaveProto* wave;
};

// One scripted wave of a level: where its units appear, when it starts
// counting and its entries in file order.
class KpWaveProto {
 public:
  enum State { kWaiting = 0, kRunning = 1 };
  // A spawner that asks for the first point whose "spawn" property is 1.
  static constexpr int kDefaultSpawner = -1;
  static constexpr int kNotLinked = -1;

  KpWaveProto() = default;
  KpWaveProto(const KpWaveProto&) = delete;
  KpWaveProto& operator=(const KpWaveProto&) = delete;
  ~KpWaveProto();

  // Reads the wave's attributes and appends one entry per child element, at
  // most maxEntries of them (the rest is logged and left out). Returns the
  // number of entries added.
  int loadFromXML(const tinyxml2::XMLElement& element, int maxEntries);
  // Back to the state after loading: waiting, no time, nothing spawned; the
  // entries made at run time go.
  void reset();

  // Puts an entry's unit on the map; false when it cannot come.
  using SpawnEntry = std::function<bool(KpWaveEntry& entry)>;
  // Advances the wave's clock; a running wave then spawns what is due.
  void update(float dt, const SpawnEntry& spawn);
  // Hands every entry whose time has come to spawn, in order. An entry that
  // cannot come counts as escaped, so that its wave still ends and pays no
  // wipe award.
  void spawnDueEntries(const SpawnEntry& spawn);
  // Seconds on the wave's clock when the entry comes.
  float spawnTime(const KpWaveEntry& entry) const;
  // Every entry was killed or escaped; true for a wave without entries.
  bool isFinished() const;
  // The wipe award once every entry is killed, paid once; 0 before that,
  // after an escape and once paid.
  int claimWipeAward();

  float elapsed = 0.0f;
  int state = kWaiting;
  int spawner = 0;
  // Seconds from the wave's start to its first entry's time origin.
  int timeout = 0;
  int wipeAward = 0;
  // The index of the wave it starts with.
  int linked = kNotLinked;
  float scale = 1.0f;
  int spawnCount = 0;
  bool wipeAwardPaid = false;
  // Owned.
  std::vector<KpWaveEntry*> entries;
};
