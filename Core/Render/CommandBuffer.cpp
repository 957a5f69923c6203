#include "Core/Render/CommandBuffer.h"

#include <algorithm>

namespace render {

std::uint32_t CommandBuffer::GrownCapacity(std::uint32_t current, std::uint32_t requested) {
  constexpr std::uint64_t kSlack = 1024;
  constexpr std::uint64_t kLargest = base::Stream::kWholeStream;
  // The factor is applied in single precision, as the sizes were always
  // computed; the wide types only keep the sums from wrapping near 4 GiB.
  const float scaled = static_cast<float>(current) * 1.5f;
  const std::uint64_t grown = scaled >= static_cast<float>(kLargest) ? kLargest : static_cast<std::uint64_t>(scaled);
  const std::uint64_t capacity = requested < grown ? grown : requested + kSlack;
  return static_cast<std::uint32_t>(std::min(capacity, kLargest));
}

void CommandBuffer::Reserve(std::uint32_t size, bool keep) {
  base::MemoryStream::Reserve(GrownCapacity(GetSize(), size), keep);
}

}  // namespace render
