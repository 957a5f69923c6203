#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>

#include "Core/Base/MemoryStream.h"

namespace render {

enum Opcode : std::int32_t {
  kOpClear = 0,
  kOpBeginScene = 1,
  kOpEndScene = 2,
  kOpPresent = 3,
  kOpSetTarget = 4,
  kOpSetBackBuffer = 5,
  kOpSetShader = 6,
  kOpSetShaderVariables = 7,
  kOpSetVertexFormat = 8,
  kOpSetVertexBuffer = 9,
  kOpSetIndexBuffer = 10,
  kOpSetBlendMode = 11,
  kOpSetScissorEnable = 12,
  kOpSetScissorRect = 13,
  kOpSetDepth = 14,
  kOpDrawPrimitive = 16,
  kOpDrawIndexedPrimitive = 17,
  kOpEnd = 18,
};

// The device operations of one frame, recorded while drawing and replayed at
// once. Reused frame after frame: it grows and never shrinks.
class CommandBuffer : public base::MemoryStream {
 public:
  // Grows by half again, or to the request and 1 KiB more, so that recording
  // settles into a buffer that no longer reallocates. Never beyond 4 GiB - 1.
  static std::uint32_t GrownCapacity(std::uint32_t current, std::uint32_t requested);

  void Reserve(std::uint32_t size, bool keep) override;
  void Rewind() { Seek(0, base::kSeekBegin); }
};

// Fields are copied byte for byte in the machine's order, which is the
// stream's little-endian order: the stream never leaves the process that
// recorded it, and pointers in it are pointer-sized.
static_assert(std::endian::native == std::endian::little);

template <class T>
bool WriteField(base::Stream& stream, const T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  return stream.Write(&value, sizeof value) == sizeof value;
}

template <class T>
bool ReadField(base::Stream& stream, T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  return stream.Read(&value, sizeof value) == sizeof value;
}

}  // namespace render
