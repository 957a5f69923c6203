#include "Core/Base/FrameStream.h"

#include <algorithm>
#include <limits>

namespace base {

FrameStream::FrameStream(Stream* source, bool ownsSource, std::uint32_t offset, std::uint32_t size) {
  Set(source, ownsSource, offset, size);
}

FrameStream::~FrameStream() { Release(); }

void FrameStream::Release() {
  if (ownsSource_) delete source_;
  source_ = nullptr;
}

void FrameStream::Set(Stream* source, bool ownsSource, std::uint32_t offset, std::uint32_t size) {
  if (source != source_) Release();
  source_ = source;
  ownsSource_ = ownsSource;
  offset_ = offset;
  position_ = 0;
  size_ = size;
}

bool FrameStream::IsEnd() { return position_ == size_; }

std::uint32_t FrameStream::GetSize() { return size_; }

std::uint32_t FrameStream::Read(void* buffer, std::uint32_t count) {
  count = std::min(count, size_ - position_);
  if (count == 0 || !source_) return 0;
  // The source addresses positions with a signed 32-bit offset; a window
  // beyond that, or a source that cannot get there, reads nothing.
  const std::uint64_t start = static_cast<std::uint64_t>(offset_) + position_;
  if (start > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return 0;
  if (source_->Seek(static_cast<std::int32_t>(start), kSeekBegin) != start) return 0;
  const std::uint32_t got = std::min(source_->Read(buffer, count), count);
  position_ += got;
  return got;
}

std::uint32_t FrameStream::Write(const void*, std::uint32_t) { return 0; }

std::uint32_t FrameStream::Seek(std::int32_t offset, std::int32_t origin) {
  position_ = ClampedSeek(position_, size_, offset, origin);
  return position_;
}

}  // namespace base
