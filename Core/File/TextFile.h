#pragma once

#include <string>

#include "Core/Base/WString.h"

namespace file {

// The whole file up to its first zero byte, without a UTF-8 byte-order mark
// (bomFound tells whether there was one); empty when it cannot be read whole.
std::string ReadTextFile(const base::WString& path, bool* bomFound = nullptr);

}  // namespace file

// The whole file up to its first zero byte, a byte-order mark included; empty
// when it cannot be read whole.
std::string ReadFileToString(const base::WString& path);
