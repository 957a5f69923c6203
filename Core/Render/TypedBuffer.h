#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

#include "Core/Render/Buffer.h"
#include "Core/Render/Render.h"

namespace render {

// Owns one dynamic device buffer of T: vertices of a registered vertex type,
// or 16- or 32-bit indices.
template <class Impl, class T>
class TypedBuffer : base::NoCopy {
 public:
  using Element = T;

  static QLResultEnum Create(Render& render, std::uint32_t count, std::unique_ptr<TypedBuffer>& out) {
    std::unique_ptr<Impl> impl;
    QLResultEnum result;
    if constexpr (std::is_same_v<Impl, VertexBufferImpl>) {
      result = render.CreateVertexBuffer(T::Format(), count, true, impl);
    } else {
      result = render.CreateIndexBuffer(sizeof(T), count, true, impl);
    }
    if (result != QL_OK) return result;
    out.reset(new TypedBuffer(std::move(impl)));
    return QL_OK;
  }

  Impl* GetImpl() const { return impl_.get(); }

 private:
  explicit TypedBuffer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

  std::unique_ptr<Impl> impl_;
};

template <class T>
using VertexBuffer = TypedBuffer<VertexBufferImpl, T>;
template <class T>
using IndexBuffer = TypedBuffer<IndexBufferImpl, T>;

}  // namespace render
