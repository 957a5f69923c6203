#pragma once

#include <string_view>

namespace platform {

// Where a developer watches the program talk: the standard error stream.
void WriteDebugText(std::string_view utf8);

}  // namespace platform
