#pragma once

// How the player did on one level in one difficulty mode.
struct LevelResult {
  int kills = 0;
  int combo = 0;
  int healthBonus = 0;
  int stars = 0;
  int gems = 0;
  int high = 0;
  int mode = 0;

  // Wide enough that two large counts never overflow.
  long long getTotalScore() const { return static_cast<long long>(kills) + healthBonus; }
};
