#include "Core/Base/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace base {

MemoryStream::MemoryStream(const void* data, std::uint32_t size)
    : buffer_(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size) {}

bool MemoryStream::IsEnd() { return position_ == GetSize(); }

std::uint32_t MemoryStream::GetSize() { return static_cast<std::uint32_t>(buffer_.size()); }

std::uint32_t MemoryStream::Read(void* buffer, std::uint32_t count) {
  count = std::min(count, GetSize() - position_);
  if (count == 0) return 0;
  std::memcpy(buffer, buffer_.data() + position_, count);
  position_ += count;
  return count;
}

std::uint32_t MemoryStream::Write(const void* buffer, std::uint32_t count) {
  if (count == 0) return 0;
  // A write that would pass 4 GiB cannot be represented and is refused.
  if (count > kWholeStream - position_) return 0;
  if (GetSize() - position_ < count) Reserve(position_ + count, true);
  std::memcpy(buffer_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::uint32_t MemoryStream::Seek(std::int32_t offset, std::int32_t origin) {
  position_ = ClampedSeek(position_, GetSize(), offset, origin);
  return position_;
}

void MemoryStream::Reserve(std::uint32_t size, bool keep) {
  if (!keep) buffer_.clear();
  buffer_.resize(size);
  position_ = std::min(position_, size);
}

}  // namespace base
