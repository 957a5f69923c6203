#pragma once

#include <optional>
#include <vector>

namespace platform {

struct MonitorBounds {
  int left, top, width, height;
  int workLeft, workTop, workWidth, workHeight;
  bool primary;
};

// The displays in desktop coordinates; empty when none can be read.
std::vector<MonitorBounds> ListMonitors();

// Tests lay the screen out on displays of their choosing; nullopt gives the
// real ones back.
void OverrideMonitors(std::optional<std::vector<MonitorBounds>> monitors);

}  // namespace platform
