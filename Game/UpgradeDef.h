#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"
#include "Game/KpPropertyBag.h"

class TowerUnlocks;
class UpgradeLevelSource;

// One purchasable level of an upgrade: its price and its percentage changes
// by property name.
struct UpgradeStep {
  int costG = 0;  // "cost_g": kept, not used
  int costR = 0;  // "cost_r": the price in gems
  std::unique_ptr<KpPropertyBag> attributes;

  // 0 when the step has no such change.
  float percent(const std::string& name) const { return attributes ? attributes->getFloat(name) : 0.0f; }
};

// One upgrade of "kp/upgrades.xml".
class UpgradeDef : base::NoCopy {
 public:
  static constexpr int kMapWide = -1;

  // Null when index is outside the steps.
  const UpgradeStep* getStep(int index) const;
  // The step the player bought last, null when none counts.
  const UpgradeStep* boughtStep(UpgradeLevelSource& levels) const;
  // Whether a target is map-wide or open: by the player's progress, or else
  // on the current level.
  bool isUnlocked(bool byProgress, TowerUnlocks& unlocks) const;
  bool isMapWide() const { return !targets.empty() && targets.front() == kMapWide; }
  bool targetsProto(int protoId) const;

  int id = 0;
  int section = 0;
  int unlockEpisode = 0;
  int unlockLevel = 0;
  base::WString icon;
  std::vector<int> targets;
  std::vector<std::unique_ptr<UpgradeStep>> steps;
};
