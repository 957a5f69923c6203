#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/GraphicsContext.h"

namespace platform {

enum class BufferKind { kVertex, kIndex16, kIndex32 };

// Vertices or indices, written through Lock/Unlock into a copy in memory that
// the device uploads before the first draw that reads it after a change.
class GraphicsBuffer {
 public:
  ~GraphicsBuffer();
  GraphicsBuffer(const GraphicsBuffer&) = delete;
  GraphicsBuffer& operator=(const GraphicsBuffer&) = delete;

  BufferKind GetKind() const { return kind_; }
  std::size_t GetSize() const { return data_.size(); }
  // Bytes per index; 0 for a vertex buffer.
  int GetIndexSize() const;

  // The whole buffer, keeping what was written before; null when already locked.
  void* Lock();
  // False when it was not locked. With a count, only the first writtenBytes
  // changed and nothing beyond them is read before it is written again, so
  // only they are uploaded.
  bool Unlock();
  bool Unlock(std::size_t writtenBytes);
  bool IsLocked() const { return locked_; }

 private:
  friend class GraphicsDevice;
  GraphicsBuffer(ContextLink context, BufferKind kind, std::size_t size);

  // Binds the GL buffer to target, uploading the copy when it changed.
  void Bind(unsigned target);

  ContextLink context_;
  BufferKind kind_;
  std::vector<std::uint8_t> data_;
  unsigned name_ = 0;
  bool locked_ = false;
  bool changed_ = true;
  std::size_t changedBytes_ = 0;
};

}  // namespace platform
