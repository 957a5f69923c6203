#pragma once

#include <filesystem>

#include "tests/Support/TempFolder.h"

namespace testing_support {

// A temporary folder that is the current folder, as the data root is while
// the game runs, until the test ends.
class DataRoot : public TempFolder {
 public:
  DataRoot() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(Path()); }
  ~DataRoot() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

}  // namespace testing_support
