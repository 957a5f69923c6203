// libFuzzer entry for animation files: the tracks of an animation that reads
// are played on a layer from before its start to after its end, as a dialog
// effect plays them.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "Core/Animation/AnimData.h"
#include "Core/Animation/LayerAnim.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Layer/Drawable.h"

namespace {

constexpr int kSteps = 16;

void Play(const animation::AnimData& data) {
  const float start = data.GetStartTime();
  const float end = data.GetEndTime();
  for (const std::unique_ptr<animation::AnimTrack>& track : data.GetTracks()) {
    layer::Drawable layer;
    animation::LayerAnim anim(&layer, track.get());
    // Two steps beyond each end reach the envelopes' behaviour outside their
    // keys.
    for (int step = -2; step <= kSteps + 2; ++step) anim.Apply(start + (end - start) * step / kSteps);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::MemoryStream stream(data, static_cast<std::uint32_t>(size));
  animation::AnimData animation;
  if (animation.ReadBody(stream) == QL_OK) Play(animation);
  return 0;
}
