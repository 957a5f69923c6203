#pragma once

#include <cstdint>
#include <vector>

#include "Core/Base/WString.h"

namespace base {

class Stream;

// The whole stream from its start, for loaders that decode from memory. Files
// are untrusted: a stream longer than maxBytes is refused before anything is
// allocated. A refusal or a short read is logged as "<what> is too large" or
// "<what> cannot be read whole", and leaves bytes empty.
bool ReadWholeStream(Stream& stream, std::uint32_t maxBytes, const WString& what, std::vector<std::uint8_t>& bytes);

}  // namespace base
