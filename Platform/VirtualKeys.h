#pragma once

namespace platform {

// The virtual-key code of an SDL scancode; 0 for keys the engine never names.
int VirtualKeyFromScancode(int scancode);

}  // namespace platform
