#include "Game/ShamanPortal.h"

#include <vector>

#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpWaveProto.h"

ShamanPortal::ShamanPortal(KpMap& map, const KpEnemy& shaman, const KpProto& ammo, float duration)
    : KpModifier("", 0.0f, duration, nullptr),
      wave(shaman.entry ? shaman.entry->wave : nullptr),
      routeIndex(shaman.routeIndex),
      linkPosition(shaman.linkPosition),
      linkLength(shaman.linkLength),
      linkTime(shaman.linkTime),
      spawnPoint(shaman.spawnPoint),
      route(shaman.route),
      lane(shaman.entry ? shaman.entry->y : 0.0f) {
  period = ammo.speed;
  x = shaman.x;
  y = shaman.y;
  portal.start(map, ammo.onFire, x, y);
}

void ShamanPortal::update(KpEnemy* unit, float dt) {
  portal.update(dt);
  KpModifier::update(unit, dt);
}

void ShamanPortal::apply(KpEnemy*, float) {
  KpMap* map = RunningGameMap();
  if (!map || !wave) return;
  const bool onRoute = routeIndex >= 0 && static_cast<std::size_t>(routeIndex) < route.size();
  const KpPoint* from = onRoute ? map->findPoint(route[static_cast<std::size_t>(routeIndex)]) : nullptr;
  if (!from) {
    missing_.report("the summoner's route point is not on the map");
    return;
  }
  auto* entry = new KpWaveEntry(wave);
  entry->unitId = kSummonedUnit;
  entry->upgrade = 1;
  entry->x = KpWaveEntry::kMadeAtRunTime;
  entry->y = lane;
  entry->spawned = true;
  wave->entries.push_back(entry);
  KpEnemy* summoned = map->spawnUnit(entry, from);
  if (!summoned) {
    // Nothing stands for the entry, so it must not keep its wave waiting.
    std::erase(wave->entries, entry);
    delete entry;
    missing_.report("the summoned unit cannot be spawned");
    return;
  }
  summoned->tier = 0;
  summoned->route = route;
  summoned->routeIndex = routeIndex;
  summoned->linkPosition = linkPosition;
  summoned->linkLength = linkLength;
  summoned->linkTime = linkTime;
  summoned->spawnPoint = spawnPoint;
  summoned->x = summoned->shownX = x;
  summoned->y = summoned->shownY = y;
}
