#pragma once

#include <set>
#include <vector>

namespace render {
class Graphics;
}

class KpBullet;
class KpEnemy;
class KpMap;
class KpTower;

// The map's projectiles and spells in firing order; owns them.
class KpBulletList {
 public:
  KpBulletList() = default;
  KpBulletList(const KpBulletList&) = delete;
  KpBulletList& operator=(const KpBulletList&) = delete;
  ~KpBulletList();

  // Starts a tower's fire and trail effects, then appends.
  void add(KpBullet* bullet);
  void update(float dt);
  void draw(render::Graphics& graphics);
  // A sold tower's shots go, and every unit's effects forget the tower.
  void removeTowerBullets(KpTower* tower);
  // Nothing aims at or remembers the unit any more.
  void forgetEnemy(KpEnemy* unit);
  void clear();

  const std::vector<KpBullet*>& bullets() const { return bullets_; }

 private:
  bool canFly(const KpBullet& bullet);
  void startEffects(KpMap& map, KpBullet& bullet);

  std::vector<KpBullet*> bullets_;
  // What the data lacks is logged once.
  std::set<int> reportedAmmo_;
  std::set<int> reportedSpeeds_;
};
