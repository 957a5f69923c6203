#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Game/UpgradeDef.h"

class KpProto;
class KpProtoLibrary;

// What the map-wide upgrades give a level at its start.
struct MapUpgradeBonus {
  int lifeBonus = 0;
  float enemyCostFraction = 0.0f;  // of a kill's reward, paid on top
  float startBudgetFraction = 0.0f;  // of the start money, paid on top
};

// The upgrades the player can buy, in file order. The bought steps come from
// the player's levels; which upgrades are open, from the towers unlocked.
class UpgradeList {
 public:
  // Adds the upgrades of the file; what is wrong in it is logged once per
  // cause and skipped.
  void load(const base::WString& path);
  void loadText(const std::string& text, const std::string& source);
  void clear() { upgrades_.clear(); }

  // The first upgrade of that id, or null.
  const UpgradeDef* find(int id) const;
  // Appends the upgrades of the shop section, in order.
  void collectSection(int section, std::vector<const UpgradeDef*>& out) const;
  const std::vector<std::unique_ptr<UpgradeDef>>& upgrades() const { return upgrades_; }

  // The bought map-wide steps; of each value the last step above 0 counts.
  MapUpgradeBonus applyToMap(UpgradeLevelSource& levels) const;
  // The bought steps for the prototype's id change its values, each step on
  // what the earlier ones left: for copies of library prototypes only.
  void applyToProto(KpProto& proto, UpgradeLevelSource& levels, TowerUnlocks& unlocks) const;
  // A placed tower: the bought steps for its tier add percentages of the
  // tier's values to its bonus prototype, summed, not compounded.
  void applyToTower(const KpProto& tier, KpProto& bonus, UpgradeLevelSource& levels, TowerUnlocks& unlocks) const;

  // Logs, once, the targets that name no prototype of the library.
  void reportUnknownTargets(const KpProtoLibrary& library) const;

 private:
  // The bought steps that act on the prototype id, in list order.
  std::vector<const UpgradeStep*> stepsFor(int protoId, UpgradeLevelSource& levels, TowerUnlocks& unlocks) const;

  std::vector<std::unique_ptr<UpgradeDef>> upgrades_;
};
