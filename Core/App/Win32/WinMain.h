#pragma once

#include <vector>

#include "Core/Base/WString.h"

namespace app {

// The command line without the program path, as UTF-16.
std::vector<base::WString> ArgumentsFromCommandLine(int argc, const char* const* argv);

// The process entry: start-up, the main loop and shut-down. Always returns the
// application's exit code, 0.
int WinMain(int argc, const char* const* argv);

}  // namespace app
