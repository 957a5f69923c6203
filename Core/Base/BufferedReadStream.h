#pragma once

#include <vector>

#include "Core/Base/Stream.h"

namespace base {

// Reads another stream through a buffer, so that small reads, and the seeks a
// window makes before each of them, cost a copy instead of a system call.
// Reads only; the source must not change while it is read.
class BufferedReadStream : public Stream {
 public:
  BufferedReadStream(Stream* source, bool ownsSource, std::uint32_t bufferBytes);
  ~BufferedReadStream() override;

  BufferedReadStream(const BufferedReadStream&) = delete;
  BufferedReadStream& operator=(const BufferedReadStream&) = delete;

  std::uint32_t GetSize() override;
  // A read at least as large as the buffer goes straight to the source.
  std::uint32_t Read(void* buffer, std::uint32_t count) override;
  std::uint32_t Write(const void* buffer, std::uint32_t count) override;
  // Only moves the position; a seek before the start is refused.
  std::uint32_t Seek(std::int32_t offset, std::int32_t origin) override;

 private:
  // Reads count bytes at the position into destination; false when the source
  // cannot get there.
  bool ReadSource(void* destination, std::uint32_t count, std::uint32_t& got);

  Stream* source_;
  bool ownsSource_;
  std::uint32_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t bufferCapacity_;
  // Where the buffered bytes start in the source, and how many there are.
  std::uint32_t bufferStart_ = 0;
  std::uint32_t bufferFill_ = 0;
};

}  // namespace base
