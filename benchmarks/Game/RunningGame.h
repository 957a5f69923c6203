#pragma once

#include <filesystem>

#include "tests/Support/TempFolder.h"

class Game;
class KpMap;

namespace game_bench {

// The game started once for every benchmark of the run, with a profile that
// has bought nothing, on the built data seen through links; its normal levels
// folder is its own, where level_01_06 is a copy of level_01_05 that a
// benchmark may give a route cache.
class RunningGame {
 public:
  RunningGame();
  ~RunningGame();
  RunningGame(const RunningGame&) = delete;
  RunningGame& operator=(const RunningGame&) = delete;

  bool ok() const { return ok_; }
  Game& game() const { return *game_; }
  KpMap& map() const;
  const std::filesystem::path& dataRoot() const { return dataRoot_.Path(); }

 private:
  testing_support::TempFolder userFolder_;
  testing_support::TempFolder dataRoot_;
  Game* game_ = nullptr;
  bool ok_ = false;
};

RunningGame& TheGame();

}  // namespace game_bench
