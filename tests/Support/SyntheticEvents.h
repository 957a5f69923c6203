#pragma once

#include <cstdint>

namespace testing_support {

// Posts events as the desktop would, for a window of the platform layer.
// Keys are named by SDL scancode numbers.
void PostKey(std::uint32_t window, int scancode, bool down, bool repeat = false);
void PostText(std::uint32_t window, const char* utf8);
void PostWindowEvent(std::uint32_t window, int event);
void PostMouseMove(std::uint32_t window, int x, int y);
void PostMouseButton(std::uint32_t window, int x, int y, bool left, bool down, int clicks = 1);
void PostWheel(std::uint32_t window, int x, int y, int notches);
void PostQuit();

}  // namespace testing_support
