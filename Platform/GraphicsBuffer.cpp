#include "Platform/GraphicsBuffer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <utility>

namespace platform {

GraphicsBuffer::GraphicsBuffer(ContextLink context, BufferKind kind, std::size_t size)
    : context_(std::move(context)), kind_(kind), data_(size), changedBytes_(size) {
  glGenBuffers(1, &name_);
}

GraphicsBuffer::~GraphicsBuffer() {
  if (!context_.expired()) glDeleteBuffers(1, &name_);
}

int GraphicsBuffer::GetIndexSize() const {
  switch (kind_) {
    case BufferKind::kIndex16: return 2;
    case BufferKind::kIndex32: return 4;
    case BufferKind::kVertex: break;
  }
  return 0;
}

void* GraphicsBuffer::Lock() {
  if (locked_) return nullptr;
  locked_ = true;
  return data_.data();
}

bool GraphicsBuffer::Unlock() { return Unlock(data_.size()); }

bool GraphicsBuffer::Unlock(std::size_t writtenBytes) {
  if (!locked_) return false;
  locked_ = false;
  changed_ = true;
  changedBytes_ = std::min(writtenBytes, data_.size());
  return true;
}

void GraphicsBuffer::Bind(unsigned target) {
  glBindBuffer(target, name_);
  if (!changed_) return;
  // A whole new store lets the driver keep the old one for draws in flight;
  // only the written part is copied into it.
  glBufferData(target, static_cast<GLsizeiptr>(data_.size()), nullptr, GL_STREAM_DRAW);
  if (changedBytes_ > 0) glBufferSubData(target, 0, static_cast<GLsizeiptr>(changedBytes_), data_.data());
  changed_ = false;
}

}  // namespace platform
