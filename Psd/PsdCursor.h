#pragma once

#include <cstddef>
#include <cstdint>

namespace psd {

// Big-endian reads over a bounded span of bytes. Reading past the end gives
// zeros and leaves the cursor at the end, so a unit can never read beyond the
// bytes it was given.
class PsdCursor {
 public:
  PsdCursor() = default;
  PsdCursor(const std::uint8_t* data, std::uint64_t size) : data_(data), size_(size) {}

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return size_; }
  std::uint64_t Remaining() const { return size_ - position_; }

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  double Double();
  // The four bytes of a key or signature as one big-endian value.
  std::uint32_t Key() { return U32(); }

  // The next count bytes, or null (and the cursor at the end) when fewer remain.
  const std::uint8_t* Take(std::uint64_t count);
  // Copies up to count bytes; returns how many there were.
  std::uint64_t Read(void* destination, std::uint64_t count);
  void Skip(std::uint64_t count);
  void SeekTo(std::uint64_t position);
  // A cursor over the next length bytes (fewer at the end), which this one
  // passes over.
  PsdCursor Slice(std::uint64_t length);

 private:
  const std::uint8_t* data_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

constexpr std::uint32_t PsdKey(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3]));
}

}  // namespace psd
