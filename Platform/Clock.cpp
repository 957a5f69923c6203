#include "Platform/Clock.h"

#include <time.h>

namespace platform {

namespace {
constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;
}

std::uint64_t ReadCounter() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * kNanosecondsPerSecond + static_cast<std::uint64_t>(now.tv_nsec);
}

std::uint64_t CounterFrequency() { return kNanosecondsPerSecond; }

}  // namespace platform
