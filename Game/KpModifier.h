#pragma once

#include <string>

class KpEnemy;
class KpTower;

// A timed effect: an enemy's ability, what a shot leaves on an enemy, a
// tower's aura or an area on the map. It runs its body once per period and
// ends after its duration; its owner deletes it once it is no longer active.
class KpModifier {
 public:
  // A duration or period of -1: unlimited, and every update.
  static constexpr float kUnlimited = -1.0f;
  static constexpr int kAreaDamageKind = 101;

  KpModifier(std::string name, float value, float duration, KpTower* source);
  KpModifier(const KpModifier&) = delete;
  KpModifier& operator=(const KpModifier&) = delete;
  virtual ~KpModifier() = default;

  // The unit that holds the effect; null for auras and areas.
  virtual void update(KpEnemy* unit, float dt);
  virtual void apply(KpEnemy* unit, float dt);
  // A tower is going away; effects that remember it forget it.
  virtual void onSourceRemoved(KpTower* tower);

  // An enemy's own ability: it never keeps a shot's effect out.
  bool ability = false;
  int kind = 0;
  bool active = true;
  std::string name;
  float value = 0.0f;
  float duration = kUnlimited;
  float elapsed = 0.0f;
  float tick = 0.0f;
  float period = kUnlimited;
  // The centre and size of an area; units within half the size are inside.
  float x = 0.0f;
  float y = 0.0f;
  float radius = 0.0f;
  // Not owned.
  KpTower* source = nullptr;
};
