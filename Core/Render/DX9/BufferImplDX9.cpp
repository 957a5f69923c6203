#include "Core/Render/DX9/BufferImplDX9.h"

#include "Core/Render/DX9/RenderDX9.h"
#include "Core/Render/VertexFormat.h"

namespace render {

template <class Base>
BufferImplDX9<Base>::BufferImplDX9(RenderDX9* render) : Base(render), renderDX9_(render) {}

template <class Base>
QLResultEnum BufferImplDX9<Base>::Make(platform::BufferKind kind, std::uint32_t elementSize, std::uint32_t count) {
  if (device_ || !renderDX9_->GetDevice() || elementSize == 0) return QL_FAIL;
  device_ = renderDX9_->GetDevice()->CreateBuffer(kind, std::size_t{elementSize} * count);
  if (!device_) return QL_FAIL;
  this->elementSize_ = elementSize;
  this->capacity_ = count;
  return QL_OK;
}

template <class Base>
QLResultEnum BufferImplDX9<Base>::Lock() {
  void* data = device_ ? device_->Lock() : nullptr;
  if (!data) return QL_FAIL;
  this->SetLocked(data);
  return QL_OK;
}

template <class Base>
QLResultEnum BufferImplDX9<Base>::Unlock() {
  // Locking discarded the old contents: what was handed out is all there is.
  if (!device_ || !device_->Unlock(std::size_t{this->elementSize_} * this->GetUsed())) return QL_FAIL;
  this->SetUnlocked();
  return QL_OK;
}

template <class Base>
QLResultEnum BufferImplDX9<Base>::OnLostDevice() {
  if (device_ && device_->IsLocked()) Unlock();
  return QL_OK;
}

template class BufferImplDX9<VertexBufferImpl>;
template class BufferImplDX9<IndexBufferImpl>;

QLResultEnum VertexBufferImplDX9::Create(const VertexFormat& format, std::uint32_t count, bool) {
  formatId_ = format.id;
  return Make(platform::BufferKind::kVertex, format.stride, count);
}

QLResultEnum IndexBufferImplDX9::Create(std::uint32_t indexSize, std::uint32_t count, bool) {
  if (indexSize != 2 && indexSize != 4) return QL_FAIL;
  return Make(indexSize == 2 ? platform::BufferKind::kIndex16 : platform::BufferKind::kIndex32, indexSize, count);
}

}  // namespace render
