#pragma once

#include <memory>

class KpProto;
class KpProtoLibrary;
class TowerUnlocks;
class UpgradeLevelSource;
class UpgradeList;

// A copy of the library's prototype of that id with the bought upgrades
// applied, for prices, menus and new towers; null when there is none.
std::unique_ptr<KpProto> CreateUpgradedTowerProto(const KpProtoLibrary& library, const UpgradeList& upgrades,
                                                  UpgradeLevelSource& levels, TowerUnlocks& unlocks, int id);
