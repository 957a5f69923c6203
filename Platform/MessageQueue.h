#pragma once

namespace platform {

// Takes at most one pending message off the process's queue and dispatches
// it; returns whether there was one.
bool DispatchOneMessage();

}  // namespace platform
