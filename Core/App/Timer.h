#pragma once

#include "Core/App/Win32/TimerLocalWin32.h"

namespace app {

// The frame timer the main loop owns.
class TimerLocal : public TimerLocalWin32 {};

}  // namespace app
