#include "Core/Base/LittleEndian.h"

#include "Core/Base/Stream.h"

namespace base {

namespace {

template <class UInt>
bool ReadLittleEndian(Stream& stream, UInt& value) {
  std::uint8_t bytes[sizeof(UInt)];
  if (stream.Read(bytes, sizeof bytes) != sizeof bytes) return false;
  UInt result = 0;
  for (std::size_t i = sizeof bytes; i-- > 0;) result = static_cast<UInt>((result << 8) | bytes[i]);
  value = result;
  return true;
}

template <class UInt>
void AppendLittleEndian(std::vector<std::uint8_t>& bytes, UInt value) {
  for (std::size_t i = 0; i < sizeof value; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

bool ReadU8(Stream& stream, std::uint8_t& value) { return ReadLittleEndian(stream, value); }
bool ReadU16(Stream& stream, std::uint16_t& value) { return ReadLittleEndian(stream, value); }
bool ReadU32(Stream& stream, std::uint32_t& value) { return ReadLittleEndian(stream, value); }

void AppendU8(std::vector<std::uint8_t>& bytes, std::uint8_t value) { AppendLittleEndian(bytes, value); }
void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) { AppendLittleEndian(bytes, value); }
void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) { AppendLittleEndian(bytes, value); }

}  // namespace base
