#pragma once

namespace app {

class TimerBase {
 public:
  virtual ~TimerBase() = default;

  // Seconds between the last two ticks.
  float GetDt() const { return dt_; }

 protected:
  float dt_ = 0.0f;
};

}  // namespace app
