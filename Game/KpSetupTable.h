#pragma once

#include <map>
#include <string>

struct SetupRow {
  int normalLevelCount = 0;
  int hardcoreLevelCount = 0;
  int starsToUnlock = 0;
};

// The campaign's episodes from "kp/setup_sheet.csv": one line per episode
// with its index, its normal and hardcore level counts, the stars that open
// it and an unused cell. Every other line, a comment included, is skipped.
class KpSetupTable {
 public:
  // Adds the sheet's rows, replacing those of the same episodes; rows are
  // never removed.
  void load();

  int getEpisodeCount() const;
  // -1 for an episode without a row.
  int getLevelCount(int episode) const;
  int getHardcoreLevelCount(int episode) const;
  int getStarsToUnlock(int episode) const;
  // Normal and hardcore levels of episodes 0, 1, ... up to the first without
  // a row; an episode without normal levels adds nothing.
  int getTotalLevelCount() const;
  // The episode has normal levels and the player has the stars it asks for.
  bool isEpisodeUnlocked(int episode, int playerStars) const;

 private:
  void readLine(std::string line);
  const SetupRow* find(int episode) const;

  std::map<int, SetupRow> rows_;
};
