#pragma once

#include <string>

namespace base {

// Paths and shown texts are UTF-16 throughout the engine; they become UTF-8
// only where they are handed to the operating system or written to a file.
using WChar = char16_t;
using WString = std::u16string;

}  // namespace base
