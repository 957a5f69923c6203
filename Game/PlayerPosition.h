#pragma once

#include "Game/LevelPlace.h"

// Where the player stands, as the tower unlocks ask the map: the level being
// played, its difficulty mode and the furthest progress of the profile.
class PlayerPosition {
 public:
  virtual ~PlayerPosition() = default;

  virtual LevelPlace getCurrentLevel() = 0;
  // 0 easy, 1 normal, 2 hard, 3 hardcore.
  virtual int getDifficultyMode() = 0;
  virtual LevelPlace getFurthestProgress() = 0;
};
