#include "Game/KpFxItem.h"

#include "Core/Base/ImageInfo.h"
#include "Core/Base/MathRandom.h"
#include "Core/File/ImageContainer.h"

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

KpFxItem::KpFxItem(float x, float y, int episodeIndex)
    : effectName(EffectOfEpisode(episodeIndex)),
      x(x),
      y(y),
      firstDelay(3.0f + 5.0f * math::Random(0)),
      period(effectName.empty() ? 0.0f : 30.0f) {
  disabled = period == 0.0f;
}

// Every firing, the first included, draws the wait for the next one: the
// effect shows after firstDelay and then every 20 s to period.
bool KpFxItem::update(float dt) {
  if (fired && disabled) return false;
  elapsed += dt;
  if (elapsed <= (fired ? interval : firstDelay)) return false;
  fired = true;
  elapsed = 0.0f;
  interval = math::RandomRange(kShortestInterval, period, 0);
  return !effectName.empty();
}

void ReadMapFxItems(file::ImageContainer& layout, int episodeIndex, KpFxItemList& out) {
  std::vector<base::WString> names;
  layout.ListImages(u"fx", false, names, false);
  for (const base::WString& name : names)
    if (const base::ImageInfo* layer = layout.FindImageInfo(name))
      out.push_back(std::make_unique<KpFxItem>(layer->rect.x, layer->rect.y, episodeIndex));
}
