#include "Core/Render/Buffer.h"

#include <cstddef>

#include "Core/Render/Render.h"

namespace render {

Buffer::Buffer(Render* render) : render_(render) {
  if (render_) render_->RegisterBuffer(this);
}

Buffer::~Buffer() {
  if (render_) render_->UnregisterBuffer(this);
}

QLResultEnum Buffer::Allocate(std::uint32_t count, void** data, std::uint32_t* granted) {
  if (IsNotLocked()) return QL_FAIL;
  if (used_ >= capacity_) {
    *data = nullptr;
    *granted = 0;
    return QL_OK;
  }
  *data = data_ + static_cast<std::size_t>(elementSize_) * used_;
  const std::uint32_t room = capacity_ - used_;
  *granted = count < room ? count : room;
  used_ += *granted;
  return QL_OK;
}

void Buffer::SetLocked(void* data) {
  locked_ = true;
  data_ = static_cast<unsigned char*>(data);
  used_ = 0;
}

void Buffer::SetUnlocked() {
  locked_ = false;
  data_ = nullptr;
  used_ = 0;
}

}  // namespace render
