#pragma once

#include <cstdint>
#include <vector>

namespace base {

class Stream;

// Binary files are little-endian and read field by field, whatever the
// machine's own byte order.

// False on a short read; the value is then unchanged.
bool ReadU8(Stream& stream, std::uint8_t& value);
bool ReadU16(Stream& stream, std::uint16_t& value);
bool ReadU32(Stream& stream, std::uint32_t& value);

void AppendU8(std::vector<std::uint8_t>& bytes, std::uint8_t value);
void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value);
void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value);

}  // namespace base
