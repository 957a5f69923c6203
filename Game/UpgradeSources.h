#pragma once

// What the upgrade rules ask of the rest of the game: the player's bought
// upgrade levels and which towers the level or the player's progress opens.

class UpgradeLevelSource {
 public:
  virtual ~UpgradeLevelSource() = default;
  // The index of the last bought step of the upgrade; -1 when none counts.
  virtual int getUpgradeLevel(int upgradeId) = 0;
};

class TowerUnlocks {
 public:
  virtual ~TowerUnlocks() = default;
  // Whether the tower may be built on the current level.
  virtual bool isTowerUnlocked(int protoId) = 0;
  // Whether the tower is open at the player's furthest progress.
  virtual bool isUnlockedByProgress(int protoId) = 0;
};
