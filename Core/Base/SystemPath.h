#pragma once

#include <string>

#include "Core/Base/WString.h"

namespace base {

// The form of a path the operating system takes: '/' separators, UTF-8.
std::string SystemPath(const WString& path);

}  // namespace base
