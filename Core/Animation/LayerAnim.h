#pragma once

#include "Core/Animation/Anim.h"

namespace layer {
class Drawable;
}

namespace animation {

struct AnimTrack;

// Plays one track on one layer: placement, opacity and, when the track has
// them, colour and tint. Neither is owned.
class LayerAnim : public Anim {
 public:
  LayerAnim(layer::Drawable* layer, const AnimTrack* track) : layer_(layer), track_(track) {}

  // Placement is set only where it changed, so that an unmoved layer keeps
  // its bounds; opacity and colour are written every time.
  QLResultEnum Apply(float time) override;

 private:
  layer::Drawable* layer_;
  const AnimTrack* track_;
};

}  // namespace animation
