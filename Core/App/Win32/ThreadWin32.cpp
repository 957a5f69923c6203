#include "Core/App/Win32/ThreadWin32.h"

#include "Core/App/Timer.h"

namespace app {

void ThreadWin32::Run() {
  TimerLocal timer;
  timer.Start();
  while (!(IsFinished() && IsChildless())) {
    timer.Tick();
    if (!paused_) Update(timer.GetDt());
  }
}

}  // namespace app
