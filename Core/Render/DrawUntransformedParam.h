#pragma once

#include <utility>

#include "Core/Render/DrawTranslate2DParam.h"

namespace render {

template <class Payload>
class DrawUntransformedParam;

template <class Payload>
class DrawParamInterface<TagUntransformed, Payload> {
 public:
  DrawTranslate2DParam<Payload> Translate2D(float dx, float dy) requires PlanarPayload<Payload> {
    return DrawTranslate2DParam<Payload>(Self(), dx, dy);
  }
  DrawTransform2DParam<Payload> Scale(float scale) requires PlanarPayload<Payload> { return Scale2D(scale, scale); }
  DrawTransform2DParam<Payload> Scale2D(float sx, float sy) requires PlanarPayload<Payload> {
    math::Transform2D transform;
    transform.Scale(sx, sy);
    return DrawTransform2DParam<Payload>(Self(), transform);
  }
  DrawTransform2DParam<Payload> Transform2D(const math::Transform2D& transform)
    requires TransformablePayload<Payload>
  {
    return DrawTransform2DParam<Payload>(Self(), transform);
  }

 private:
  DrawUntransformedParam<Payload>& Self() { return static_cast<DrawUntransformedParam<Payload>&>(*this); }
};

// A draw as the Graphics made it, with no transform of its own.
template <class Payload>
class DrawUntransformedParam final : public DrawParam, public DrawParamInterface<TagUntransformed, Payload> {
 public:
  explicit DrawUntransformedParam(Payload payload) : payload_(std::move(payload)) {}
  DrawUntransformedParam(DrawUntransformedParam&& other) : DrawParam(&other), payload_(other.payload_) {}
  DrawUntransformedParam& operator=(DrawUntransformedParam&&) = delete;
  ~DrawUntransformedParam() override { DrawIfPending(payload_); }

  QLResultEnum TransformVertices(void*, const VertexFormat&, std::uint32_t) override { return QL_OK; }

  Payload& operator*() { return payload_; }
  Payload* operator->() { return &payload_; }

 private:
  Payload payload_;
};

}  // namespace render
