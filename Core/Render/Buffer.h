#pragma once

#include <cstdint>

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"

namespace render {

class Render;
class VertexFormat;

// A device buffer that vertices or indices are written into while it is
// locked, handed out front to back. A back end implements the device side;
// every buffer stays registered with its Render so that device loss and reset
// reach it.
class Buffer : base::NoCopy {
 public:
  explicit Buffer(Render* render);
  virtual ~Buffer();

  // Locks the whole buffer, discarding its contents, and starts handing out
  // from its beginning. 1 without a device buffer or when already locked.
  virtual QLResultEnum Lock() = 0;
  virtual QLResultEnum Unlock() = 0;
  virtual QLResultEnum OnResetDevice() = 0;
  virtual QLResultEnum OnLostDevice() = 0;
  // True without a device buffer too: there is nothing to write into.
  virtual bool IsNotLocked() const = 0;

  // Hands out the next count elements. Granted is what fits; a full buffer
  // grants none and gives a null pointer, which is not an error here.
  QLResultEnum Allocate(std::uint32_t count, void** data, std::uint32_t* granted);

  std::uint32_t GetElementSize() const { return elementSize_; }
  std::uint32_t GetCapacity() const { return capacity_; }
  std::uint32_t GetUsed() const { return used_; }
  bool IsLocked() const { return locked_; }
  Render* GetRender() const { return render_; }
  // The Render is going: nothing may reach it any more.
  void Detach() { render_ = nullptr; }

 protected:
  // For the back end's Lock and Unlock.
  void SetLocked(void* data);
  void SetUnlocked();

  std::uint32_t elementSize_ = 0;
  std::uint32_t capacity_ = 0;

 private:
  Render* render_;
  bool locked_ = false;
  unsigned char* data_ = nullptr;
  std::uint32_t used_ = 0;
};

class VertexBufferImpl : public Buffer {
 public:
  using Buffer::Buffer;

  // Elements of the format's stride. A buffer is made once: 1 when it exists.
  virtual QLResultEnum Create(const VertexFormat& format, std::uint32_t count, bool dynamic) = 0;

  std::uint32_t GetFormatId() const { return formatId_; }

 protected:
  std::uint32_t formatId_ = 0;
};

class IndexBufferImpl : public Buffer {
 public:
  using Buffer::Buffer;

  // Indices of 2 or 4 bytes. A buffer is made once: 1 when it exists.
  virtual QLResultEnum Create(std::uint32_t indexSize, std::uint32_t count, bool dynamic) = 0;
};

}  // namespace render
