#pragma once

#include "Core/App/Win32/CriticalSectionWin32.h"

namespace app {

class CriticalSection : public CriticalSectionWin32 {};

// Holds a lock for one scope; a null lock is no lock.
class ScopedLock {
 public:
  explicit ScopedLock(CriticalSection* lock) : lock_(lock) {
    if (lock_) lock_->Lock();
  }
  ~ScopedLock() {
    if (lock_) lock_->Unlock();
  }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  CriticalSection* lock_;
};

}  // namespace app

// Held around the creation of the one native window.
extern app::CriticalSection WindowCreationLock;
