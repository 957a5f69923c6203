#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace base {
class Stream;
}

namespace animation {

// The animation and mesh files name their own sizes; every count is checked
// against what the stream still holds before anything is allocated for it.

// The whole file through the file manager; null when it cannot be read.
std::unique_ptr<base::Stream> OpenFileStream(const base::WString& path);

std::uint32_t BytesLeft(base::Stream& stream);
// True when count records of at least recordSize bytes each can still follow.
bool CanHold(base::Stream& stream, std::uint32_t count, std::uint32_t recordSize);

// A little-endian IEEE single; false on a short read.
bool ReadFloat(base::Stream& stream, float& value);

// A 32-bit length, then that many bytes without a terminator. 1 when the
// length or the bytes come short.
QLResultEnum ReadSizedString(base::Stream& stream, std::string& out);

}  // namespace animation
