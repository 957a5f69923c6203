#pragma once

#include <vector>

#include "Core/Base/LogOutput.h"

namespace testing_support {

// Keeps every text a log hands it, one entry per write.
class RecordingLogOutput : public base::LogOutput {
 public:
  explicit RecordingLogOutput(std::vector<base::WString>& writes) : writes_(writes) {}
  void Write(const base::WString& text) override { writes_.push_back(text); }

 private:
  std::vector<base::WString>& writes_;
};

}  // namespace testing_support
