#pragma once

#include "Core/Render/DrawTransform2DParam.h"

namespace render {

// Adds the offset to positions of three or four components; other formats
// are left as they are.
QLResultEnum TranslatePositions2D(float dx, float dy, void* vertices, const VertexFormat& format,
                                  std::uint32_t count);

template <class Payload>
class DrawTranslate2DParam;

template <class Payload>
class DrawParamInterface<TagTranslate2D, Payload> {
 public:
  // The offset is scaled too: it applies first.
  DrawTransform2DParam<Payload> Scale(float scale) requires PlanarPayload<Payload> {
    auto& self = static_cast<DrawTranslate2DParam<Payload>&>(*this);
    math::Transform2D transform;
    transform.Translate(self.GetOffsetX(), self.GetOffsetY());
    transform.Scale(scale, scale);
    return DrawTransform2DParam<Payload>(self, transform);
  }
};

template <class Payload>
class DrawTranslate2DParam final : public DrawParam, public DrawParamInterface<TagTranslate2D, Payload> {
 public:
  template <class Source>
  DrawTranslate2DParam(Source& source, float dx, float dy)
      : DrawParam(&source), payload_(*source), dx_(dx), dy_(dy) {}
  DrawTranslate2DParam(DrawTranslate2DParam&& other)
      : DrawParam(&other), payload_(other.payload_), dx_(other.dx_), dy_(other.dy_) {}
  DrawTranslate2DParam& operator=(DrawTranslate2DParam&&) = delete;
  ~DrawTranslate2DParam() override { DrawIfPending(payload_); }

  QLResultEnum TransformVertices(void* vertices, const VertexFormat& format, std::uint32_t count) override {
    return TranslatePositions2D(dx_, dy_, vertices, format, count);
  }

  Payload& operator*() { return payload_; }
  Payload* operator->() { return &payload_; }
  float GetOffsetX() const { return dx_; }
  float GetOffsetY() const { return dy_; }

 private:
  Payload payload_;
  float dx_;
  float dy_;
};

}  // namespace render
