#include "Game/KpWaveHints.h"

#include <algorithm>

#include "Core/Render/Image.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpPoint.h"
#include "Game/KpResources.h"
#include "Game/LevelNumbers.h"
#include "Game/OwnedPointers.h"

namespace {

constexpr float kDesignWidth = 1024.0f;
constexpr float kDesignHeight = 768.0f;
// The HUD's bars take the top and the bottom of the screen.
constexpr int kTopBar = 100;
constexpr int kBottomEdge = 668;

}  // namespace

WaveHintPlace PlaceWaveHint(float pointX, float pointY, int width, int height) {
  // A NaN gets through the clamp; the truncation makes it 0.
  WaveHintPlace place{TruncateToInt(std::clamp(pointX, 0.0f, kDesignWidth)),
                      TruncateToInt(std::clamp(pointY, 0.0f, kDesignHeight))};
  if (place.x + width > static_cast<int>(kDesignWidth)) place.x = static_cast<int>(kDesignWidth) - width;
  if (place.y < kTopBar)
    place.y = kTopBar;
  else if (place.y + height > kBottomEdge)
    place.y = kBottomEdge - height;
  return place;
}

KpWaveHints::KpWaveHints() : KpWaveHints(KpResources::Instance()->findImage(u"kp/ui", u"ui/wave_hint")) {}

KpWaveHints::KpWaveHints(render::Image* hintImage) : hintImage_(hintImage) {}

KpWaveHints::~KpWaveHints() { clear(); }

void KpWaveHints::add(const KpPoint& point) {
  auto* hint = new KpFrameEntry;
  hint->image = hintImage_;
  const int width = hintImage_ ? hintImage_->GetWidth() : 0;
  const int height = hintImage_ ? hintImage_->GetHeight() : 0;
  const WaveHintPlace place = PlaceWaveHint(point.x, point.y, width, height);
  hint->x = static_cast<float>(place.x);
  hint->y = static_cast<float>(place.y);
  hint->width = static_cast<float>(width);
  hint->height = static_cast<float>(height);
  hints_.push_back(hint);
}

bool KpWaveHints::hitTest(std::int32_t x, std::int32_t y) const {
  const auto px = static_cast<float>(x);
  const auto py = static_cast<float>(y);
  return std::any_of(hints_.begin(), hints_.end(), [px, py](const KpFrameEntry* hint) {
    return hint->x < px && px < hint->x + hint->width && hint->y < py && py < hint->y + hint->height;
  });
}

void KpWaveHints::clear() { DeleteAllPointers(hints_); }
