#pragma once

#include <vector>

namespace platform {

struct MonitorBounds {
  int left, top, width, height;
  int workLeft, workTop, workWidth, workHeight;
  bool primary;
};

// The displays in desktop coordinates; empty when none can be read.
std::vector<MonitorBounds> ListMonitors();

}  // namespace platform
