#pragma once

#include <mutex>

namespace app {

class CriticalSectionWin32 {
 public:
  virtual ~CriticalSectionWin32() = default;

  // Recursive: the thread that holds the lock may take it again.
  virtual void Lock();
  virtual void Unlock();

 private:
  std::recursive_mutex mutex_;
};

}  // namespace app
