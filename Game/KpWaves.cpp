#include "Game/KpWaves.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>

#include "Core/Base/LogMessage.h"
#include "Game/CurveGeometry.h"
#include "Game/KpEnemy.h"
#include "Game/KpModifier.h"
#include "Game/KpPoint.h"
#include "Game/KpWaveHints.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"

KpWaves::KpWaves(std::unique_ptr<WaveWorld> world) : world_(std::move(world)) {}

// The map is going away: nothing is told of the units any more.
KpWaves::~KpWaves() {
  DeleteAllPointers(enemies_);
  clear();
}

void KpWaves::clear() {
  running_.clear();
  DeleteAllPointers(waves_);
}

void KpWaves::removeAllEnemies() {
  // Taken off the list first, so that nothing told of one finds the others.
  std::vector<KpEnemy*> units;
  units.swap(enemies_);
  for (KpEnemy* unit : units) {
    if (world_) world_->onUnitRemoved(unit);
    delete unit;
  }
}

int KpWaves::load(const tinyxml2::XMLElement* wavesElement) {
  // The units point at the entries of the waves.
  removeAllEnemies();
  if (KpWaveHints* hints = world_ ? world_->waveHints() : nullptr) hints->clear();
  clear();
  currentWave_ = 0;
  elapsed_ = 0.0f;
  globalTimeout_ = 0.0f;
  unknownUnits_.clear();
  unknownPoints_.clear();
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
  removeAllEnemies();
  if (KpWaveHints* hints = world_ ? world_->waveHints() : nullptr) hints->clear();
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

void KpWaves::update(float dt) {
  if (!world_) return;
  elapsed_ += dt;
  KpWaveHints* hints = world_->waveHints();
  if (hints && !hints->empty() && elapsed_ >= hints->nextWaveTime) hints->clear();
  removeUnitsOutOfPlay();
  if (running_.empty())
    startNextGroup();
  else
    runGroup(dt);
}

void KpWaves::removeUnitsOutOfPlay() {
  const auto gone =
      std::stable_partition(enemies_.begin(), enemies_.end(), [](const KpEnemy* unit) { return unit->inPlay != 0; });
  if (gone == enemies_.end()) return;
  // Off the list before anyone is told, so that no one finds a unit that is
  // about to be deleted.
  const std::vector<KpEnemy*> removed(gone, enemies_.end());
  enemies_.erase(gone, enemies_.end());
  for (KpEnemy* unit : removed) {
    if (KpWaveEntry* entry = unit->entry) {
      entry->setState(unit->reachedBase ? KpWaveEntry::kEscaped : KpWaveEntry::kKilled);
      if (entry->state == KpWaveEntry::kKilled && entry->wave)
        if (const int award = entry->wave->claimWipeAward()) world_->addMoney(award);
    }
    world_->onUnitRemoved(unit);
    delete unit;
  }
}

void KpWaves::runGroup(float dt) {
  const KpWaveProto::SpawnEntry spawn = [this](KpWaveEntry& entry) { return spawnEntry(entry); };
  for (std::size_t i = 0; i < running_.size(); ++i) running_[i]->update(dt, spawn);
  if (!allWavesFinished()) return;
  elapsed_ = 0.0f;
  running_.clear();
  ++currentWave_;
  ++finishedGroups_;
}

void KpWaves::startNextGroup() {
  const int count = static_cast<int>(waves_.size());
  if (currentWave_ >= count) {
    if (allWavesFinished()) world_->levelWon();
    return;
  }
  // A linked wave starts with the wave it is linked to, never on its own.
  while (waves_[currentWave_]->linked != KpWaveProto::kNotLinked)
    if (++currentWave_ >= count) return;
  KpWaveProto* wave = waves_[currentWave_];
  wave->state = KpWaveProto::kRunning;
  running_.push_back(wave);
  activateLinkedWaves();
  addHints();
}

void KpWaves::addHints() {
  KpWaveHints* hints = world_->waveHints();
  if (!hints) return;
  for (const KpWaveProto* wave : running_)
    if (const KpPoint* point = spawnPointOf(wave->spawner)) hints->add(*point);
  hints->nextWaveTime = nextSpawnTime();
}

const KpPoint* KpWaves::spawnPointOf(int spawner) const {
  return spawner == KpWaveProto::kDefaultSpawner ? world_->findSpawnPoint() : world_->findPoint(spawner);
}

bool KpWaves::spawnEntry(KpWaveEntry& entry) {
  const int spawner = entry.wave ? entry.wave->spawner : KpWaveProto::kDefaultSpawner;
  const KpPoint* point = spawnPointOf(spawner);
  if (!point) {
    if (unknownPoints_.insert(spawner).second)
      QL_LOG(u"The level has no spawn point %d; the units of its waves do not come\n").AddArg(spawner);
    return false;
  }
  if (!world_->hasUnit(entry)) {
    if (unknownUnits_.insert(entry.unitId).second)
      QL_LOG(u"The prototype sheets have no unit %d; its wave entries do not come\n").AddArg(entry.unitId);
    return false;
  }
  return world_->spawnUnit(&entry, point) != nullptr;
}

KpEnemy* KpWaves::addEnemy(KpWaveEntry* entry, const KpPoint* spawnPoint) {
  auto* unit = new KpEnemy(entry);
  unit->spawnPoint = spawnPoint;
  if (entry) entry->spawned = true;
  enemies_.push_back(unit);
  return unit;
}

void KpWaves::updateModifiers(float dt) {
  // Indices, not iterators: an effect may add units or effects.
  for (std::size_t u = 0; u < enemies_.size(); ++u) {
    KpEnemy* unit = enemies_[u];
    for (std::size_t m = 0; m < unit->modifiers.size(); ++m) unit->modifiers[m]->update(unit, dt);
  }
}

KpEnemy* KpWaves::enemyAt(float x, float y) const {
  for (KpEnemy* unit : enemies_) {
    const EnemyBounds box = unit->bounds();
    if (std::fabs(x - box.centreX) <= box.width * 0.5f && std::fabs(y - box.centreY) <= box.height * 0.5f) return unit;
  }
  return nullptr;
}

void KpWaves::collectEnemiesInRadius(float x, float y, float diameter, std::vector<KpEnemy*>& out) const {
  const float radius = diameter * 0.5f;
  for (KpEnemy* unit : enemies_)
    if (Distance2D(unit->shownX, unit->shownY, x, y) <= radius) out.push_back(unit);
}

bool KpWaves::allWavesFinished() const {
  return std::all_of(running_.begin(), running_.end(), [](const KpWaveProto* wave) { return wave->isFinished(); });
}

void KpWaves::activateLinkedWaves() {
  for (KpWaveProto* wave : waves_) {
    if (wave->linked != currentWave_) continue;
    wave->state = KpWaveProto::kRunning;
    running_.push_back(wave);
  }
}

float KpWaves::nextSpawnTime() const {
  float earliest = kNoSpawnTime;
  for (const KpWaveProto* wave : running_) {
    float firstX = 0.0f;
    for (const KpWaveEntry* entry : wave->entries) firstX = std::min(firstX, entry->x);
    earliest = std::min(earliest, static_cast<float>(wave->timeout) + firstX / KpWaveEntry::kTicksPerSecond);
  }
  return earliest;
}

void KpWaves::setElapsed(float t) {
  elapsed_ = t;
  for (KpWaveProto* wave : running_) wave->elapsed = t;
}

int KpWaves::callNextWaveEarly() {
  KpWaveHints* hints = world_ ? world_->waveHints() : nullptr;
  if (!hints || hints->empty()) return 0;
  const float hintTime = hints->nextWaveTime;
  const int reward = TruncateToInt(2.0f * (hintTime - elapsed_));
  world_->addMoney(reward);
  setElapsed(hintTime);
  hints->clear();
  return reward;
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
