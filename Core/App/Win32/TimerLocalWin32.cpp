#include "Core/App/Win32/TimerLocalWin32.h"

#include "Platform/Clock.h"

namespace app {

void TimerLocalWin32::Start() {
  frequency_ = platform::CounterFrequency();
  previous_ = platform::ReadCounter();
}

void TimerLocalWin32::Tick() {
  const std::uint64_t counter = platform::ReadCounter();
  dt_ = static_cast<float>(static_cast<double>(counter - previous_) / static_cast<double>(frequency_));
  previous_ = counter;
}

}  // namespace app
