#pragma once

#include <filesystem>

#include "Core/Base/SingletonRegistry.h"

namespace testing_support {

// The game's own built data root as the current folder, as it is while the
// game runs, until the object goes; the services the test made over it go
// with it.
class InGameData {
 public:
  InGameData() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(LF_GAME_DATA_ROOT); }
  ~InGameData() {
    SingletonRegistry::Shutdown();
    std::filesystem::current_path(previous_);
  }
  InGameData(const InGameData&) = delete;
  InGameData& operator=(const InGameData&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace testing_support
