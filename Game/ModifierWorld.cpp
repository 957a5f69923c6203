#include "Game/ModifierWorld.h"

#include <algorithm>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Game/CurveGeometry.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpWaves.h"

const std::vector<KpEnemy*>& LiveEnemies(const KpMap& map) {
  static const std::vector<KpEnemy*> kNone;
  return map.waves ? map.waves->enemies() : kNone;
}

std::vector<KpEnemy*> EnemiesWithin(const KpMap& map, float x, float y, float diameter) {
  std::vector<KpEnemy*> found;
  if (map.waves) map.waves->collectEnemiesInRadius(x, y, diameter, found);
  return found;
}

bool IsDead(const KpEnemy& unit) { return unit.state == KpEnemy::kDying || unit.state == KpEnemy::kFading; }

float DistanceBetween(const KpEnemy& a, const KpEnemy& b) { return Distance2D(a.x, a.y, b.x, b.y); }

bool HealTenth(KpEnemy& unit) {
  const float maximum = unit.getMaxHealth();
  if (!(unit.health < maximum)) return false;
  unit.damage(-std::min(maximum * 0.1f, maximum - unit.health));
  return true;
}

void MissingDataNote::report(const std::string& what) {
  if (reported_) return;
  reported_ = true;
  QL_LOG(u"A timed effect is skipped: %s\n").AddArg(base::ToWide(what, base::kEncodingUtf8));
}
