#include "Psd/PsdCursor.h"

#include <algorithm>
#include <cstring>

namespace psd {

std::uint8_t PsdCursor::U8() {
  const std::uint8_t* bytes = Take(1);
  return bytes ? bytes[0] : 0;
}

std::uint16_t PsdCursor::U16() {
  const std::uint8_t* bytes = Take(2);
  return bytes ? static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]) : 0;
}

std::uint32_t PsdCursor::U32() {
  const std::uint8_t* bytes = Take(4);
  if (!bytes) {
    return 0;
  }
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

double PsdCursor::Double() {
  const std::uint8_t* bytes = Take(8);
  if (!bytes) {
    return 0.0;
  }
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) {
    bits = bits << 8 | bytes[i];
  }
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

const std::uint8_t* PsdCursor::Take(std::uint64_t count) {
  if (count > Remaining()) {
    position_ = size_;
    return nullptr;
  }
  const std::uint8_t* bytes = data_ + position_;
  position_ += count;
  return bytes;
}

std::uint64_t PsdCursor::Read(void* destination, std::uint64_t count) {
  const std::uint64_t available = std::min(count, Remaining());
  if (available > 0) {
    std::memcpy(destination, data_ + position_, available);
  }
  position_ += available;
  return available;
}

void PsdCursor::Skip(std::uint64_t count) {
  position_ += std::min(count, Remaining());
}

void PsdCursor::SeekTo(std::uint64_t position) {
  position_ = std::min(position, size_);
}

PsdCursor PsdCursor::Slice(std::uint64_t length) {
  const std::uint64_t available = std::min(length, Remaining());
  PsdCursor slice(data_ + position_, available);
  position_ += available;
  return slice;
}

}  // namespace psd
