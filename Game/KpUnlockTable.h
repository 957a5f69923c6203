#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "Game/LevelPlace.h"
#include "Game/UpgradeSources.h"

class PlayerPosition;

// Which towers may be built on each level, from "kp/unlocks.csv": one line per
// level that opens towers, in the order the player reaches the levels, with
// the episode, the level and a ','-separated list of tower ids. A level opens
// its own towers and those of every line before it; the id -1 opens every
// tower. In hardcore every tower is open.
class KpUnlockTable : public TowerUnlocks {
 public:
  explicit KpUnlockTable(PlayerPosition& position);

  bool isTowerUnlocked(int protoId) override;
  // On the level of the player's furthest progress, in every mode.
  bool isUnlockedByProgress(int protoId) override;
  // The towers the current level opens.
  std::vector<int> getNewUnlocks();

 private:
  // The towers of one line, and how many of the sheet's ids, counted from
  // its first line, are open from then on.
  struct Line {
    std::vector<int> newIds;
    std::size_t openCount = 0;
  };

  void readLine(std::string line, LevelPlace& place);
  const Line* find(LevelPlace place) const;
  bool isOpenOn(LevelPlace place, int protoId) const;

  PlayerPosition& position_;
  // Every id of the sheet in file order; a line's open towers are a prefix,
  // so lines share it rather than each keeping a copy.
  std::vector<int> allIds_;
  std::map<int, std::map<int, Line>> lines_;
};
