#pragma once

#include <memory>
#include <vector>

namespace render {
class Graphics;
}

class KpAnimatedSprite;
class KpMap;
class KpBeamParticle;
class KpEnemy;
class KpFrameEntry;
class KpModifier;
class KpProto;
class KpSprite;

// A tower on a build spot: its auras, its choice of target, its turning and
// firing, what blocking and weakening units do to it, its gold payouts and
// its level-ups.
class KpTower {
 public:
  enum State {
    kIdle = 0,
    kLookingAround = 1,
    kFiring = 3,
    kTracking = 4,
    kBeamHolding = 5,
    kWaitingForShell = 7,
    kPausing = 9,
  };
  // Seconds of the idle pause after looking around.
  static constexpr float kLookAroundPause = 3.0f;

  KpTower();
  KpTower(const KpTower&) = delete;
  KpTower& operator=(const KpTower&) = delete;
  ~KpTower();

  // The caller then sets the spot and the positions and lists the tower.
  void init(const KpProto* prototype);
  void setupAuras();
  // The library prototype of the tower's tier k; -1 asks for the current one.
  const KpProto* getTierProto(int k = -1) const;
  // The spot's float property, 0 when absent.
  float spotProperty(const char* name) const;

  void update(float dt);
  void enemiesInRange(std::vector<KpEnemy*>& out, float extra) const;
  KpEnemy* chooseTarget(const std::vector<KpEnemy*>& candidates, KpEnemy* current, bool inRange) const;
  void fire();
  void payIncome();
  // Paid from the level's money: refused when the tower has had every
  // level-up its prototype allows or the money is short.
  void levelUp();
  // The tier of that levelid for the price (the tower command's); nothing
  // happens when there is no such tier or the money is short.
  void upgradeTo(int tierId, int price);
  void setTargetAngle(float degrees);
  void clearTarget();
  float range() const;

  void draw(render::Graphics& graphics);
  void drawOverlay(render::Graphics& graphics);
  void drawInMenu(render::Graphics& graphics);

  float spriteWidth = 0.0f;
  float spriteHeight = 0.0f;
  int state = kPausing;
  float x = 0.0f;
  float y = 0.0f;
  float drawX = 0.0f;
  float drawY = 0.0f;
  float fade = 0.0f;
  float fadeRate = 1.5f;
  // Owned by the map's particle list while it runs.
  KpBeamParticle* beam = nullptr;
  float targetAngle = 0.0f;
  float angle = 0.0f;
  int directionIndex = 0;
  float animationTime = 0.0f;
  bool disabled = false;
  bool debuffed = false;
  bool boosted = false;
  // The boost spells holding the tower; while any does, no enemy blocks or
  // weakens it.
  int spellBoosts = 0;
  // Owned by the map's sprite list.
  KpAnimatedSprite* disabledSprite = nullptr;
  KpAnimatedSprite* debuffSprite = nullptr;
  KpEnemy* target = nullptr;
  // The spot image of the build spot; owned by the map's images.
  KpFrameEntry* spot = nullptr;
  // The library's prototype the tower was built from.
  const KpProto* prototype = nullptr;
  // What upgrades and boosts add this frame.
  std::unique_ptr<KpProto> bonus;
  int level = 0;
  int tier = 0;
  // Owned.
  std::vector<KpSprite*> pickups;
  // Owned.
  std::vector<KpModifier*> auras;
  float pauseTimer = 0.0f;
  float cooldown = 0.0f;
  // What the level-ups bought add to the range and strength; the map clears
  // the bonus prototype every frame, so the update adds these back.
  float levelUpRange = 0.0f;
  float levelUpStrength = 0.0f;

 private:
  void addLevelUpBonus();
  void updateFade(float frameTime);
  // False while a blocking unit stands near: the tower does nothing else.
  bool updateDisabled(KpMap& map);
  void updateDebuffed(KpMap& map);
  void updateTarget(const KpProto& tierProto, const std::vector<KpEnemy*>& inRange);
  void aimAtTarget();
  // Turns towards the target angle; returns the sector the angle is in then.
  int turn(float dt);
  void advanceState(const KpProto& tierProto, float dt, bool inSector);
  void startCooldown(const KpProto& tierProto);
  bool hasShellInFlight() const;
  void updateAuras(float dt);
  void forgetEndedBeam();
  // The frame shown now and the transform that places it; null when the
  // sprite lacks the group.
  const KpFrameEntry* currentFrame(const KpProto& tierProto, bool inMenu);
};

// Towers that boost others first, the rest in their order.
void SortBoostTowersFirst(std::vector<KpTower*>& towers);
