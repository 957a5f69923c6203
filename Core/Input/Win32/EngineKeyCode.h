#pragma once

#include <cstdint>

namespace input {

// Engine key codes follow SDL 1.2's key symbols (0 to 323), except that 307
// is the left Alt key and 308 the right one. A virtual key that no engine code
// names, such as the side-less Shift, Control and Alt, gives 0.
int EngineKeyCode(std::uint8_t virtualKey);

}  // namespace input
