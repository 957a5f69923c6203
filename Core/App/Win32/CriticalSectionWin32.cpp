#include "Core/App/Win32/CriticalSectionWin32.h"

namespace app {

void CriticalSectionWin32::Lock() { mutex_.lock(); }

void CriticalSectionWin32::Unlock() { mutex_.unlock(); }

}  // namespace app
