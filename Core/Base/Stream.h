#pragma once

#include <cstdint>

namespace base {

enum SeekOrigin : std::int32_t { kSeekBegin = 0, kSeekCurrent = 1, kSeekEnd = 2 };

// A byte stream: a file, a block of memory or a window on another stream.
// Sizes and positions are 32-bit.
class Stream {
 public:
  static constexpr std::uint32_t kWholeStream = 0xFFFFFFFFu;

  virtual bool IsEnd();
  virtual std::uint32_t GetSize() = 0;
  virtual ~Stream() = default;
  // Both return the bytes transferred; 0 on failure.
  virtual std::uint32_t Read(void* buffer, std::uint32_t count) = 0;
  virtual std::uint32_t Write(const void* buffer, std::uint32_t count) = 0;
  // Returns the new position.
  virtual std::uint32_t Seek(std::int32_t offset, std::int32_t origin) = 0;

  // Copies up to count bytes from the source's position, or, with
  // kWholeStream, all of the source from its start. Returns the bytes that
  // reached this stream, so a caller can tell a short copy.
  std::uint32_t WriteFromStream(Stream& source, std::uint32_t count);
};

// The clamped position that memory and frame streams share: seeks never fail.
std::uint32_t ClampedSeek(std::uint32_t position, std::uint32_t size, std::int32_t offset, std::int32_t origin);

}  // namespace base
