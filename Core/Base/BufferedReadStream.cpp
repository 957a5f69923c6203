#include "Core/Base/BufferedReadStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace base {

BufferedReadStream::BufferedReadStream(Stream* source, bool ownsSource, std::uint32_t bufferBytes)
    : source_(source), ownsSource_(ownsSource), bufferCapacity_(std::max(bufferBytes, 1u)) {}

BufferedReadStream::~BufferedReadStream() {
  if (ownsSource_) delete source_;
}

std::uint32_t BufferedReadStream::GetSize() { return source_->GetSize(); }

bool BufferedReadStream::ReadSource(void* destination, std::uint32_t count, std::uint32_t& got) {
  // The source addresses positions with a signed 32-bit offset.
  if (position_ > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) return false;
  if (source_->Seek(static_cast<std::int32_t>(position_), kSeekBegin) != position_) return false;
  got = std::min(source_->Read(destination, count), count);
  return true;
}

std::uint32_t BufferedReadStream::Read(void* buffer, std::uint32_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::uint32_t done = 0;
  while (done < count) {
    if (position_ >= bufferStart_ && position_ - bufferStart_ < bufferFill_) {
      const std::uint32_t chunk = std::min(count - done, bufferFill_ - (position_ - bufferStart_));
      std::memcpy(out + done, buffer_.data() + (position_ - bufferStart_), chunk);
      position_ += chunk;
      done += chunk;
      continue;
    }
    std::uint32_t got = 0;
    if (count - done >= bufferCapacity_) {
      if (!ReadSource(out + done, count - done, got)) break;
      position_ += got;
      done += got;
      break;
    }
    buffer_.resize(bufferCapacity_);
    bufferStart_ = position_;
    bufferFill_ = 0;
    if (!ReadSource(buffer_.data(), bufferCapacity_, got) || got == 0) break;
    bufferFill_ = got;
  }
  return done;
}

std::uint32_t BufferedReadStream::Write(const void*, std::uint32_t) { return 0; }

std::uint32_t BufferedReadStream::Seek(std::int32_t offset, std::int32_t origin) {
  const std::int64_t from = origin == kSeekBegin ? 0 : origin == kSeekCurrent ? position_ : GetSize();
  const std::int64_t target = from + offset;
  if (target >= 0 && target <= std::numeric_limits<std::uint32_t>::max()) {
    position_ = static_cast<std::uint32_t>(target);
  }
  return position_;
}

}  // namespace base
