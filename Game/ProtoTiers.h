#pragma once

class KpProto;
class KpProtoLibrary;

// The tier of base whose levelid is tier; tier 0 is base itself. When no tier
// matches, the last one; base when it has none.
const KpProto* TierOrLast(const KpProto& base, int tier);

// The prototype an enemy plays: its unit's tier one below the "upgrade" value
// of its wave entry (1 is the base, 0 the last tier). Null when the library
// has no such unit.
const KpProto* EnemyTierProto(const KpProtoLibrary& library, int unitId, int entryUpgrade);

// The prototype of a tower's tier k, null when the base has no tier with
// levelid k; k = -1 asks for the tower's current tier (by TierOrLast). Null
// when the library has no such tower.
const KpProto* TowerTierProto(const KpProtoLibrary& library, int towerProtoId, int k, int currentTierId);
