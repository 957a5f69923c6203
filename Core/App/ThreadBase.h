#pragma once

#include "Core/App/Task.h"

namespace app {

class ThreadBase : public base::Task {
 public:
  using base::Task::Task;
};

}  // namespace app
