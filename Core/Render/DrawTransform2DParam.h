#pragma once

#include <utility>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/DrawParam.h"
#include "Core/Render/DrawParamInterface.h"

namespace render {

// Puts the positions through a 2D transform: the last step of every chain.
QLResultEnum TransformPositions2D(math::Transform2D& transform, void* vertices, const VertexFormat& format,
                                  std::uint32_t count);

template <class Payload>
class DrawParamInterface<TagTransform2D, Payload> {};

template <class Payload>
class DrawTransform2DParam final : public DrawParam, public DrawParamInterface<TagTransform2D, Payload> {
 public:
  DrawTransform2DParam(Payload payload, const math::Transform2D& transform)
      : payload_(std::move(payload)), transform_(transform) {}
  // Takes the source's pending draw over with a copy of its payload.
  template <class Source>
  DrawTransform2DParam(Source& source, const math::Transform2D& transform)
      : DrawParam(&source), payload_(*source), transform_(transform) {}
  DrawTransform2DParam(DrawTransform2DParam&& other)
      : DrawParam(&other), payload_(other.payload_), transform_(other.transform_) {}
  DrawTransform2DParam& operator=(DrawTransform2DParam&&) = delete;
  ~DrawTransform2DParam() override { DrawIfPending(payload_); }

  QLResultEnum TransformVertices(void* vertices, const VertexFormat& format, std::uint32_t count) override {
    return TransformPositions2D(transform_, vertices, format, count);
  }

  Payload& operator*() { return payload_; }
  Payload* operator->() { return &payload_; }
  const math::Transform2D& GetTransform() const { return transform_; }

 private:
  Payload payload_;
  math::Transform2D transform_;
};

}  // namespace render
