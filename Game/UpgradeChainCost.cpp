#include "Game/UpgradeChainCost.h"

#include <algorithm>

#include "Core/Base/LogMessage.h"
#include "Game/KpProto.h"

float UpgradeChainCost(int currentTier, const std::vector<const KpProto*>& tiers, const KpProto* proto) {
  if (!proto) return 0.0f;
  float total = 0.0f;
  const KpProto* step = proto;
  // A chain without a circle visits proto and each tier at most once.
  for (std::size_t visited = 0; visited <= tiers.size(); ++visited) {
    total += step->cost;
    if (step->require == currentTier) return total;
    const int wanted = step->require;
    const auto previous =
        std::find_if(tiers.begin(), tiers.end(), [wanted](const KpProto* tier) { return tier && tier->levelId == wanted; });
    if (previous == tiers.end()) {
      QL_LOG(u"Tier %d of tower %d follows tier %d, which is not offered; it costs its own price\n")
          .AddArg(proto->levelId)
          .AddArg(proto->parent)
          .AddArg(wanted);
      return proto->cost;
    }
    step = *previous;
  }
  QL_LOG(u"The tiers before tier %d of tower %d require each other in a circle; it costs its own price\n")
      .AddArg(proto->levelId)
      .AddArg(proto->parent);
  return proto->cost;
}
