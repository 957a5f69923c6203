#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "Game/KpMap.h"
#include "Game/LevelNumbers.h"
#include "Game/PlayerProfile.h"
#include "Game/UpgradeList.h"

// Every upgrade bought goes back to none and its steps' gems, those of the
// first step up to the bought one, come back, whatever the mode.
void KpMap::resetPremiumPoints() {
  if (!profile || !upgrades) return;
  std::int64_t refund = 0;
  for (const auto& upgrade : upgrades->upgrades()) {
    const int bought = profile->getStoredUpgradeLevel(upgrade->id);
    if (bought < 0) continue;
    // The profile may name a level beyond the steps the upgrade has.
    const std::size_t paid = std::min(static_cast<std::size_t>(bought) + 1, upgrade->steps.size());
    for (std::size_t step = 0; step < paid; ++step) refund += upgrade->steps[step]->costR;
    profile->setUpgradeLevel(upgrade->id, -1);
  }
  wallet->addGems(AddClamped(0, refund));
}
