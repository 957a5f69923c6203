#pragma once

namespace render {

struct TagUntransformed {};
struct TagTranslate2D {};
struct TagTransform2D {};

// The hand-over operations of the parameter of each tag; each parameter's
// header specialises it for its own tag.
template <class Tag, class Payload>
class DrawParamInterface;

}  // namespace render
