#include "Core/Base/Stream.h"

#include <algorithm>
#include <vector>

namespace base {

namespace {
constexpr std::uint32_t kCopyChunk = 1u << 20;
}

bool Stream::IsEnd() { return false; }

std::uint32_t Stream::WriteFromStream(Stream& source, std::uint32_t count) {
  if (count == 0) return 0;
  if (count == kWholeStream) {
    count = source.GetSize();
    source.Seek(0, kSeekBegin);
  } else {
    const std::uint32_t position = source.Seek(0, kSeekCurrent);
    const std::uint32_t size = source.GetSize();
    count = std::min(count, size > position ? size - position : 0u);
  }

  std::vector<char> buffer(std::min(count, kCopyChunk));
  std::uint32_t copied = 0;
  while (count > 0) {
    const std::uint32_t chunk = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(buffer.size()));
    const std::uint32_t got = source.Read(buffer.data(), chunk);
    if (got == 0) break;
    const std::uint32_t put = Write(buffer.data(), got);
    copied += put;
    if (put != got) break;
    count -= got;
  }
  return copied;
}

std::uint32_t ClampedSeek(std::uint32_t position, std::uint32_t size, std::int32_t offset, std::int32_t origin) {
  const std::int64_t from = origin == kSeekBegin ? 0 : origin == kSeekCurrent ? position : size;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(from + offset, 0, size));
}

}  // namespace base
