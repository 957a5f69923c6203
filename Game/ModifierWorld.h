#pragma once

#include <string>
#include <vector>

#include "Game/RunningGameMap.h"

class KpEnemy;
class KpMap;

// What the timed effects see of the world around them. Without a running
// map (RunningGameMap) they do nothing.

const std::vector<KpEnemy*>& LiveEnemies(const KpMap& map);
// The enemies whose shown position lies within half the diameter of the
// point, in list order.
std::vector<KpEnemy*> EnemiesWithin(const KpMap& map, float x, float y, float diameter);

// Dying or fading: a dead unit neither acts nor is helped.
bool IsDead(const KpEnemy& unit);
float DistanceBetween(const KpEnemy& a, const KpEnemy& b);
// Heals a tenth of the unit's maximum health, never past the maximum;
// false when it was already full.
bool HealTenth(KpEnemy& unit);

// One line in the log per effect: the first time an effect finds something
// missing in the data it says so, then it keeps quiet.
class MissingDataNote {
 public:
  void report(const std::string& what);

 private:
  bool reported_ = false;
};
