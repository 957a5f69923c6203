#pragma once

#include <cstdint>
#include <type_traits>

#include "Core/Base/Result.h"

namespace render {

class VertexFormat;
class DrawImageParam;
class DrawParticlesParam;
class DrawTextParam;

enum HorizontalAnchor : std::int32_t { kAnchorLeft = 0, kAnchorRight = 1, kAnchorCenter = 2 };
// Baseline only for text: the first line's baseline sits on the origin.
enum VerticalAnchor : std::int32_t { kAnchorTop = 0, kAnchorBottom = 1, kAnchorMiddle = 2, kAnchorBaseline = 3 };

// A pending draw. Exactly one parameter holds a draw at any time and draws it
// when it is destroyed: handing the draw over to a richer parameter leaves
// the source with nothing to do, so a chain of parameters draws once, with
// the last one's transform.
class DrawParam {
 public:
  DrawParam(const DrawParam&) = delete;
  DrawParam& operator=(const DrawParam&) = delete;
  virtual ~DrawParam() = default;

  // The parameter's own transform over the positions of a draw's vertices.
  virtual QLResultEnum TransformVertices(void* vertices, const VertexFormat& format, std::uint32_t count) = 0;

  bool IsPending() const { return pending_; }

 protected:
  DrawParam() = default;
  // Takes the source's pending draw over.
  explicit DrawParam(DrawParam* source) : pending_(source->pending_) { source->pending_ = false; }

  // For the destructor of the final parameter class, while its transform is
  // still there to be called back. A failed draw is silent.
  template <class Payload>
  void DrawIfPending(Payload& payload) {
    if (!pending_) return;
    pending_ = false;
    static_cast<void>(payload.Draw(this));
  }

 private:
  bool pending_ = true;
};

// The payloads that lie in a plane and can be offset and scaled.
template <class Payload>
concept PlanarPayload = std::is_same_v<Payload, DrawImageParam> || std::is_same_v<Payload, DrawTextParam>;
// Custom geometry is drawn where its vertices already are.
template <class Payload>
concept TransformablePayload = PlanarPayload<Payload> || std::is_same_v<Payload, DrawParticlesParam>;

}  // namespace render
