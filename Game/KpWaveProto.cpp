#include "Game/KpWaveProto.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>

#include "Core/Base/LogMessage.h"
#include "Game/KpRouteBuilder.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"

void KpWaveEntry::loadFromXML(const tinyxml2::XMLElement& element) {
  unitId = LevelInt(element, "id", 0, LevelAttribute::kRequired);
  upgrade = LevelInt(element, "upgrade", 0);
  x = LevelFloat(element, "x", 0.0f);
  y = LevelFloat(element, "y", 0.0f);
  if (x == kMadeAtRunTime)
    QL_LOG(u"The wave entry on line %d has the time -1 of summoned units and goes when the level restarts\n")
        .AddArg(element.GetLineNum());
  state = kNotSpawned;
  spawned = false;
}

int KpWaveEntry::laneKey() const { return LaneKeyOfEntry(y); }

KpWaveProto::~KpWaveProto() { DeleteAllPointers(entries); }

int KpWaveProto::loadFromXML(const tinyxml2::XMLElement& element, int maxEntries) {
  timeout = LevelInt(element, "timeout", 0);
  spawner = LevelInt(element, "spawn", 0, LevelAttribute::kRequired);
  wipeAward = LevelInt(element, "wipeAward", 0);
  scale = LevelFloat(element, "scale", 1.0f);
  if (scale == 0.0f) scale = 1.0f;
  // Present but unreadable links the wave to the first one.
  linked = element.Attribute("linked") ? LevelInt(element, "linked", 0) : kNotLinked;
  QL_LOG(u"LOADED ENEMY WAVE=(timeout=%d, spawner=%d)\n").AddArg(timeout).AddArg(spawner);

  int added = 0;
  for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
    if (added == maxEntries) {
      QL_LOG(u"Too many wave entries in the level; the entries from line %d on are left out\n")
          .AddArg(child->GetLineNum());
      break;
    }
    auto* entry = new KpWaveEntry(this);
    entry->loadFromXML(*child);
    entries.push_back(entry);
    ++added;
  }
  return added;
}

void KpWaveProto::reset() {
  state = kWaiting;
  elapsed = 0.0f;
  spawnCount = 0;
  wipeAwardPaid = false;
  std::vector<KpWaveEntry*> kept;
  for (KpWaveEntry* entry : entries) {
    if (entry->x == KpWaveEntry::kMadeAtRunTime) {
      delete entry;
      continue;
    }
    entry->state = KpWaveEntry::kNotSpawned;
    entry->spawned = false;
    kept.push_back(entry);
  }
  entries = std::move(kept);
}

void KpWaveProto::update(float dt, const SpawnEntry& spawn) {
  elapsed += dt;
  if (state == kRunning) spawnDueEntries(spawn);
}

void KpWaveProto::spawnDueEntries(const SpawnEntry& spawn) {
  // Spawning may append entries for summoned units; they come spawned.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    KpWaveEntry& entry = *entries[i];
    if (entry.spawned || elapsed < spawnTime(entry)) continue;
    entry.spawned = true;
    entry.state = spawn(entry) ? KpWaveEntry::kSpawned : KpWaveEntry::kEscaped;
    ++spawnCount;
  }
}

float KpWaveProto::spawnTime(const KpWaveEntry& entry) const {
  return scale * (entry.x / KpWaveEntry::kTicksPerSecond) + static_cast<float>(timeout);
}

bool KpWaveProto::isFinished() const {
  return std::all_of(entries.begin(), entries.end(), [](const KpWaveEntry* entry) {
    return entry->state == KpWaveEntry::kKilled || entry->state == KpWaveEntry::kEscaped;
  });
}

int KpWaveProto::claimWipeAward() {
  if (wipeAwardPaid) return 0;
  const bool wiped = std::all_of(entries.begin(), entries.end(),
                                 [](const KpWaveEntry* entry) { return entry->state == KpWaveEntry::kKilled; });
  if (!wiped) return 0;
  wipeAwardPaid = true;
  return wipeAward;
}
