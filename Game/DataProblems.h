#pragma once

#include <string>
#include <vector>

#include "Core/Base/NoCopy.h"

// What was wrong in one data file, logged once per cause with how often it
// happened and where first, when the reader is done: a hostile file of many
// bad rows gives a few log lines, not one per row.
class DataProblems : base::NoCopy {
 public:
  explicit DataProblems(std::string source) : source_(std::move(source)) {}
  ~DataProblems();

  // where: a line number or an id that helps to find the first case.
  void note(const std::string& cause, int where);
  bool empty() const { return causes_.empty(); }

 private:
  struct Cause {
    std::string text;
    int count;
    int firstWhere;
  };

  std::string source_;
  std::vector<Cause> causes_;
};
