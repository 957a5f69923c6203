#pragma once

#include <cstdint>
#include <map>
#include <string_view>

#include "Core/Base/Result.h"
#include "Core/Base/WString.h"

namespace base {
class Stream;
}

namespace file {

inline constexpr std::string_view kPackTag = "qlpack";

struct PackEntry {
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
  std::uint8_t flags = 0;
  std::uint32_t reserved = 0;
};

// The directory at the start of a pack file: names in code-unit order with
// where their bytes lie. A pack is untrusted input: every length is checked
// against the bytes that are really there.
class PackDirectory {
 public:
  // Reads from the stream's position; on a failure the entries read before it
  // stay. Logs what was wrong.
  QLResultEnum Read(base::Stream& stream);
  QLResultEnum Write(base::Stream& stream) const;
  // The bytes Write produces; the first file starts there.
  std::uint64_t GetByteSize() const;

  std::map<base::WString, PackEntry> entries;
};

}  // namespace file
