#pragma once

// The screen the game shows: each screen sets it as it opens, and the map
// controller's input handlers act on it.
enum ScreenStateCode : int {
  kScreenNone = -1,  // before the first screen opens
  kScreenPlay = 0,
  kScreenLevelWon = 1,
  kScreenLevelLost = 2,
  kScreenLoadingLevel = 3,
  kScreenPauseMenu = 4,
  kScreenEpisodes = 5,
  kScreenLevelSelect = 6,
  kScreenMainMenu = 7,
  kScreenUpgradeShop = 8,
  kScreenUnlockMessage = 11,
  kScreenSplash = 12,
  kScreenProfiles = 13,
  kScreenProfileCreate = 14,
  kScreenProfileRename = 15,
  kScreenModalMessage = 16,  // returns to KpMap::savedScreenState
  kScreenGemShop = 18,
  kScreenMapGemOffer = 19,
  kScreenShopGemOffer = 20,
  kScreenLowLifeOffer = 22,
  kScreenHealthPurchase = 23,
  kScreenBoostShop = 24,
  kScreenUpgradeResetQuestion = 26,
};

// The outcome of the last level, until the upgrade shop acts on it.
enum LevelResultCode : int {
  kLevelResultNone = -1,
  kLevelResultLost = 1,
  kLevelResultWon = 2,
};
