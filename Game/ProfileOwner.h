#pragma once

#include <vector>

// What the player profile asks of the map that owns it, and through the map
// of the wallet, the setup sheet, the upgrade list, the window and the
// tutorial.
class ProfileOwner {
 public:
  virtual ~ProfileOwner() = default;

  // 0 easy, 1 normal, 2 hard, 3 hardcore.
  virtual int getDifficultyMode() = 0;
  virtual void setDifficultyMode(int mode) = 0;
  virtual void setWalletGems(int gems) = 0;

  // -1 for an episode the setup sheet does not list.
  virtual int getLevelCount(int episode) = 0;
  virtual int getHardcoreLevelCount(int episode) = 0;
  virtual int getEpisodeCount() = 0;
  virtual bool isEpisodeUnlocked(int episode) = 0;

  // The ids of every upgrade the shop sells, in the upgrade list's order.
  virtual std::vector<int> getUpgradeIds() = 0;

  virtual bool isWindowed() = 0;
  // Toggles windowed and full screen; the new mode is stored back through
  // PlayerProfile::setFullscreen.
  virtual void switchScreenMode() = 0;

  // The tutorial takes the current profile's step states.
  virtual void loadTutorialState() = 0;
};
