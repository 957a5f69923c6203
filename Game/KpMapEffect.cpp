#include "Game/KpMapEffect.h"

#include <memory>

#include "Core/Base/ImageInfo.h"
#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/ImageContainer.h"
#include "Core/Render/ParticleEmitter.h"
#include "Game/ParticleEffect.h"

namespace {

constexpr float kShortestInterval = 20.0f;

const char16_t* EffectOfEpisode(int episodeIndex) {
  switch (episodeIndex) {
    case 0:
      return u"tr1";
    case 1:
      return u"bird";
    default:
      return u"";
  }
}

}  // namespace

KpMapEffect::KpMapEffect(float x, float y, int episodeIndex)
    : effectName(EffectOfEpisode(episodeIndex)),
      x(x),
      y(y),
      firstDelay(3.0f + 5.0f * math::Random(0)),
      period(effectName.empty() ? 0.0f : 30.0f) {
  loops = period == 0.0f;
}

// Every start, the first included, draws the wait for the next one: the
// effect shows after firstDelay and then every 20 s to period, never twice
// in a row.
bool KpMapEffect::update(float dt) {
  if (started && loops) return false;
  elapsed += dt;
  if (elapsed <= (started ? interval : firstDelay)) return false;
  started = true;
  elapsed = 0.0f;
  if (!loops) interval = math::RandomRange(kShortestInterval, period, 0);
  return !effectName.empty();
}

void KpMapEffect::start(std::vector<ParticleEffect*>& ambientEmitters) const {
  if (effectName.empty()) return;
  auto effect = std::make_unique<ParticleEffect>(base::ToNarrow(effectName, base::kEncodingUtf8));
  render::ParticleEmitter* emitter = effect->emitter();
  if (!emitter) return;
  emitter->SetPosition(x, y, 1);
  emitter->SetLoopMode(loops ? 1 : 0);
  emitter->SetState(render::ParticleEmitter::kRunning);
  ambientEmitters.push_back(effect.release());
}

void ReadMapEffects(file::ImageContainer& layout, int episodeIndex, std::vector<KpMapEffect*>& out) {
  std::vector<base::WString> names;
  layout.ListImages(u"fx", false, names, false);
  for (const base::WString& name : names)
    if (const base::ImageInfo* layer = layout.FindImageInfo(name))
      out.push_back(new KpMapEffect(layer->rect.x, layer->rect.y, episodeIndex));
}
