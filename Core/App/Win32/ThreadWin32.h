#pragma once

#include "Core/App/ThreadBase.h"

namespace app {

// A task tree with a loop of its own; the application runs its loop on the
// main thread.
class ThreadWin32 : public ThreadBase {
 public:
  using ThreadBase::ThreadBase;

  // Updates the tree with the time since the previous pass until the task is
  // finished and childless. No frame cap, no sleep.
  virtual void Run();

 protected:
  bool paused_ = false;
};

}  // namespace app
