#pragma once

#include <cstdint>

namespace platform {

// Windows virtual-key codes name keys throughout the engine; these are the
// ones the platform layer reports for keys that have them.
namespace vk {
inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // either Alt key
inline constexpr int kEscape = 0x1B;
}  // namespace vk

// Copies the state of every virtual key (high bit set while down) as of the
// messages handed out so far, so a key tapped between two reads still shows
// as down at its own key-down. False when there is no keyboard state.
bool ReadKeyboardState(std::uint8_t (&state)[256]);

// Used by the message pump as it hands out key messages, and by tests.
void SetKeyDown(int virtualKey, bool down);
bool IsKeyDown(int virtualKey);
void ReleaseAllKeys();

}  // namespace platform
