#pragma once

#include <vector>

#include "Game/RoutePoint.h"

namespace render {
class Graphics;
class Image;
}  // namespace render

class KpBullet;
class KpFrameEntry;
class KpModifier;
class KpPoint;
class KpProto;
class KpTower;
class KpWaveEntry;

// Where a unit's current frame lies on the map.
struct EnemyBounds {
  float centreX = 0.0f;
  float centreY = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

// One live enemy on the map: it walks its lane from a spawn point to the
// goal, carries its abilities and the effects of the shots that hit it,
// pays its reward when it dies and costs life when it reaches the base.
class KpEnemy {
 public:
  enum State { kWalking = 1, kDying = 2, kSpecial = 4, kHeldInBeam = 5, kFading = 6 };

  explicit KpEnemy(KpWaveEntry* entry);
  KpEnemy(const KpEnemy&) = delete;
  KpEnemy& operator=(const KpEnemy&) = delete;
  ~KpEnemy();

  // The prototype of the entry's unit at the unit's tier; null when the
  // sheets lack it. Looked up again every time.
  const KpProto* getTierProto() const;
  // The library's base prototype of the entry's unit id, or null.
  const KpProto* getBaseProto() const;
  float getMaxHealth() const;
  bool isFlying() const;

  void update(float dt);
  // Ignored while dying or fading; a negative amount heals.
  void damage(float amount);
  // Turns a shot into damage, immunities and effects; direct is false for
  // the units a splash reaches.
  void takeHit(KpBullet& bullet, bool direct);
  // False when the unit already holds an effect of the same source that is
  // not one of its own abilities.
  bool acceptsModifier(const KpModifier& modifier) const;
  void removeModifiersFrom(const KpTower* source);
  void tryRaiseDead();
  void updateUpperLevel();
  // The extra share of the reward that gold towers covering the unit add.
  float killBonusFactor() const;
  EnemyBounds bounds() const;

  void draw(render::Graphics& graphics);
  void drawOverlay(render::Graphics& graphics);

  float deathSpin = 0.0f;
  float deathDrop = 0.0f;
  float opacity = 1.0f;
  float targetOpacity = 1.0f;
  // While above 0 no tower sees the unit.
  float invisibleTime = 0.0f;
  // The lane samples of the current link; owned by the route store.
  LaneRoute linkSamples;
  float spriteWidth = 0.0f;
  float spriteHeight = 0.0f;
  int state = kWalking;
  // Cleared when the unit must be removed.
  int inPlay = 1;
  bool reachedBase = false;
  // The current link's start point "upper" property; 0 is the ground.
  float upperLevel = 0.0f;
  float fade = 0.0f;
  float fadeRate = 1.5f;
  bool facingLeft = false;
  int tier = 0;
  float animationTime = 0.0f;
  // Owned by its wave.
  KpWaveEntry* entry = nullptr;
  // The frame drawn last; owned by the sprite definition.
  const KpFrameEntry* currentFrame = nullptr;
  const KpPoint* spawnPoint = nullptr;
  float linkLength = 0.0f;
  float linkTime = 0.0f;
  // The curve parameter on the current link, 0 to 1.
  float linkPosition = 0.0f;
  // Point ids, spawn point first, goal last.
  std::vector<int> route;
  // Index in the route of the current link's start point.
  int routeIndex = 0;
  // Taken from the prototype speed; set anew every frame by the effects
  // that slow or hold the unit and cleared by the map after the frame.
  float speedReduction = 0.0f;
  float health = 0.0f;
  float healthBarTime = 0.0f;
  float x = 0.0f;
  float y = 0.0f;
  // Where the unit is drawn, aimed at and measured from.
  float shownX = 0.0f;
  float shownY = 0.0f;
  // Flying units of some ids; owned.
  render::Image* shadowImage = nullptr;
  // Owned.
  std::vector<KpModifier*> modifiers;
  float hasteTime = 0.0f;
  float speedFactor = 1.0f;
  float targetSpeedFactor = 1.0f;
};

// The unit of the list nearest to the point by its shown position, the first
// of equal ones; null for an empty list.
KpEnemy* FindNearestEnemy(const std::vector<KpEnemy*>& units, float x, float y);

struct KpLink;
class KpMap;
// The unit prototype's frames per second; 20, reported once per unit id,
// when the sheet gives none above 0, so that every animation ends.
float UnitFps(const KpProto& proto);
// The point of the unit's route ahead of its current link's start (0 the
// start itself); null past the route's end or for an unknown point.
const KpPoint* UnitRoutePoint(const KpEnemy& unit, const KpMap& map, int ahead);
// The link the unit walks now; null when its route has no such link.
const KpLink* CurrentLinkOf(const KpEnemy& unit, const KpMap& map);
