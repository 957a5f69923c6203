#pragma once

#include <cstdint>

#include "Core/App/TimerBase.h"

namespace app {

// Measures the raw time between ticks on the high-resolution counter, with no
// smoothing or clamping.
class TimerLocalWin32 : public TimerBase {
 public:
  void Start();
  void Tick();

 private:
  std::uint64_t frequency_ = 1;
  std::uint64_t previous_ = 0;
};

}  // namespace app
