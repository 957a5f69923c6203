#include "Core/App/MonitorList.h"

#include "Platform/Monitors.h"

namespace app {

bool MonitorList::Enumerate() {
  monitors_.clear();
  for (const platform::MonitorBounds& m : platform::ListMonitors())
    monitors_.push_back({m.left, m.top, m.width, m.height, m.workLeft, m.workTop, m.workWidth, m.workHeight, m.primary});
  return !monitors_.empty();
}

const MonitorInfo* MonitorList::Get(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return &monitors_[static_cast<std::size_t>(index)];
}

}  // namespace app
