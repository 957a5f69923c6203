#pragma once

#include <cstdint>

namespace platform {

// A monotonic high-resolution counter and its ticks per second.
std::uint64_t ReadCounter();
std::uint64_t CounterFrequency();

}  // namespace platform
