#pragma once

namespace platform {

// Brings up the display side of SDL on first use.
bool EnsureVideo();

}  // namespace platform
