#include "Platform/Audio/SampleFormat.h"

#include <cstdint>
#include <cstring>

namespace platform {
namespace {

constexpr std::size_t kChunkHeaderSize = 8;
// "RIFF", its length, "WAVE".
constexpr std::size_t kRiffHeaderSize = 12;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

bool StartsWith(const std::uint8_t* bytes, std::size_t size, std::size_t offset, const char* text) {
  const std::size_t count = std::strlen(text);
  return offset <= size && count <= size - offset && std::memcmp(bytes + offset, text, count) == 0;
}

bool ChunksFit(const std::uint8_t* bytes, std::size_t size) {
  std::size_t at = kRiffHeaderSize;
  while (size - at >= kChunkHeaderSize) {
    const std::uint64_t length = LittleEndian32(bytes + at + 4);
    const std::size_t left = size - at - kChunkHeaderSize;
    if (length > left) return false;
    // Chunks start on even offsets; the last one's pad byte may be missing.
    at += kChunkHeaderSize + static_cast<std::size_t>(length) + static_cast<std::size_t>(length & 1);
    if (at >= size) break;
  }
  return true;
}

}  // namespace

bool IsPlayableSampleData(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (!bytes) return false;
  if (StartsWith(bytes, size, 0, "OggS")) return true;
  return StartsWith(bytes, size, 0, "RIFF") && StartsWith(bytes, size, 8, "WAVE") && ChunksFit(bytes, size);
}

}  // namespace platform
