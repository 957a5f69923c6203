#pragma once

namespace platform {

// Brings up the event system the message pump reads; a failure leaves the
// pump empty and is not fatal.
bool Startup();

// Tears the platform down; every service that uses it must be gone by then.
void Shutdown();

}  // namespace platform
