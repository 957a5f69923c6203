#pragma once

#include <vector>

class KpProto;

// The price of reaching proto from the tower's current tier: its cost plus
// the cost of every tier between, found by levelid in tiers from proto's
// require back to a require of currentTier. A chain that breaks or runs in a
// circle is logged and costs proto's own price. 0 for no prototype.
float UpgradeChainCost(int currentTier, const std::vector<const KpProto*>& tiers, const KpProto* proto);
