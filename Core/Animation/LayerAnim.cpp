#include "Core/Animation/LayerAnim.h"

#include <algorithm>

#include "Core/Animation/AnimTrack.h"
#include "Core/Layer/Drawable.h"

namespace animation {

namespace {

float Unit(float value) { return std::clamp(value, 0.0f, 1.0f); }

}  // namespace

QLResultEnum LayerAnim::Apply(float time) {
  const auto value = [&](MotionChannel channel) { return EvaluateEnvelope(track_->motion[channel], time); };
  // The setters compare before they mark the layer moved; a value that
  // compares unordered (NaN) counts as a change.
  layer_->SetPosition(value(kPositionX), value(kPositionY), value(kPositionZ));
  layer_->SetRotation(value(kPitch), value(kHeading), value(kBank));
  layer_->SetScale(value(kScaleX), value(kScaleY), value(kScaleZ));
  layer_->SetAlpha(1.0f - Unit(value(kDissolve)));
  if (const ColourEnvelopes* colour = track_->colour.get()) {
    math::Point4 tint = layer_->GetColor();
    tint.r = Unit(EvaluateEnvelope(colour->red, time));
    tint.g = Unit(EvaluateEnvelope(colour->green, time));
    tint.b = Unit(EvaluateEnvelope(colour->blue, time));
    layer_->SetColor(tint);
    layer_->SetTintAmount(Unit(EvaluateEnvelope(colour->tintAmount, time)));
  }
  return QL_OK;
}

}  // namespace animation
