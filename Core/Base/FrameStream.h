#pragma once

#include "Core/Base/Stream.h"

namespace base {

// Read-only window [offset, offset + size) on another stream, such as one file
// inside a pack. It seeks its source before every read, so several windows
// can share one source.
class FrameStream : public Stream {
 public:
  FrameStream() = default;
  FrameStream(Stream* source, bool ownsSource, std::uint32_t offset, std::uint32_t size);
  ~FrameStream() override;

  FrameStream(const FrameStream&) = delete;
  FrameStream& operator=(const FrameStream&) = delete;

  void Set(Stream* source, bool ownsSource, std::uint32_t offset, std::uint32_t size);

  bool IsEnd() override;
  std::uint32_t GetSize() override;
  std::uint32_t Read(void* buffer, std::uint32_t count) override;
  std::uint32_t Write(const void* buffer, std::uint32_t count) override;
  std::uint32_t Seek(std::int32_t offset, std::int32_t origin) override;

 private:
  void Release();

  Stream* source_ = nullptr;
  bool ownsSource_ = false;
  std::uint32_t offset_ = 0;
  std::uint32_t position_ = 0;
  std::uint32_t size_ = 0;
};

}  // namespace base
