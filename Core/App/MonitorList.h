#pragma once

#include <vector>

namespace app {

struct MonitorInfo {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int workLeft = 0;
  int workTop = 0;
  int workWidth = 0;
  int workHeight = 0;
  bool primary = false;
};

// The displays the window can be laid out on, in desktop pixels.
class MonitorList {
 public:
  bool Enumerate();
  int GetCount() const { return static_cast<int>(monitors_.size()); }
  // Null past the end.
  const MonitorInfo* Get(int index) const;

 private:
  std::vector<MonitorInfo> monitors_;
};

}  // namespace app
