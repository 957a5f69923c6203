#include <string>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Graphics.h"
#include "Game/GameWindow.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaves.h"
#include "Game/LevelNumbers.h"
#include "Game/LocalStrings.h"
#include "Game/MapDrawTexts.h"

namespace {

// Hints left of this x get their text on their right.
constexpr float kScreenMiddleX = 512.0f;
constexpr float kTextGap = 32.0f;
constexpr float kTextRisePerHint = 25.0f;
// The width of the radius picture at a scale of 1.
constexpr float kRadiusIconSize = 336.0f;
constexpr float kAreaAlpha = 0.5f;

void DrawRadius(render::Graphics& graphics, render::Image* icon, float size, float x, float y) {
  math::Transform2D placement;
  placement.Scale(size / kRadiusIconSize, size / kRadiusIconSize);
  placement.Translate(x, y);
  auto draw = graphics.DrawImage(icon);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(placement);
}

// A blast fades over its life; any other area stays half seen.
float AreaAlpha(const KpModifier& area) {
  if (area.kind != KpModifier::kAreaDamageKind || area.duration <= 0.0f) return kAreaAlpha;
  return 1.0f - area.elapsed / area.duration;
}

}  // namespace

base::WString NextWaveText(float secondsLeft) {
  LocalStrings* strings = LocalStrings::Instance();
  const int left = TruncateToInt(secondsLeft);
  if (left <= 0) return strings->getString(u"game_incoming");
  const std::string seconds = std::to_string(left);
  return strings->getString(u"game_nextwave") + base::WString(seconds.begin(), seconds.end());
}

NextWaveTextPlace PlaceNextWaveText(const KpFrameEntry& hint, std::size_t index, float mapScale, float mapOffsetX,
                                    float mapOffsetY) {
  NextWaveTextPlace place;
  place.y = (hint.y + hint.height * 0.5f - kTextRisePerHint * static_cast<float>(index)) * mapScale + mapOffsetY;
  if (hint.x < kScreenMiddleX) {
    place.x = (hint.x + hint.width * 0.5f + kTextGap) * mapScale + mapOffsetX;
    place.anchorX = render::kAnchorLeft;
  } else {
    place.x = (hint.x - hint.width * 0.5f - kTextGap) * mapScale + mapOffsetX;
    place.anchorX = render::kAnchorRight;
  }
  return place;
}

void DrawNextWaveTexts(render::Graphics& graphics, const KpMap& map) {
  if (!map.waveHints || !map.waves) return;
  const std::vector<KpFrameEntry*>& hints = map.waveHints->hints();
  if (hints.empty()) return;
  const base::WString text = NextWaveText(map.waveHints->nextWaveTime - map.waves->elapsed());
  if (render::Font* font = LoadedGameFont(GameFont::kMain42c)) graphics.SetFont(font);
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  for (std::size_t i = 0; i < hints.size(); ++i) {
    const NextWaveTextPlace place = PlaceNextWaveText(*hints[i], i, map.mapScale, map.mapOffsetX, map.mapOffsetY);
    auto draw = graphics.DrawText(text);
    draw->anchorX = place.anchorX;
    draw->anchorY = render::kAnchorMiddle;
    draw.Translate2D(place.x, place.y);
  }
}

void DrawAreaDebugView(render::Graphics& graphics, const KpMap& map) {
  if (!map.radiusIcon) return;
  for (const KpModifier* area : map.areaEffects) {
    graphics.SetColorRGBA(1.0f, 0.0f, 0.0f, AreaAlpha(*area));
    DrawRadius(graphics, map.radiusIcon, area->radius, area->x, area->y);
  }
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  render::Font* font = LoadedGameFont(GameFont::kMain32b);
  if (font) graphics.SetFont(font);
  for (const KpTower* tower : map.towers) {
    const KpProto* tierProto = tower->getTierProto();
    if (tierProto) DrawRadius(graphics, map.radiusIcon, tierProto->range, tower->x, tower->y);
    if (!font) continue;
    // The level-ups bought widen the reach drawn around the tower.
    const std::string level = std::to_string(tower->level);
    auto draw = graphics.DrawText(base::WString(level.begin(), level.end()));
    draw->anchorX = render::kAnchorLeft;
    draw->anchorY = render::kAnchorBaseline;
    draw.Translate2D(tower->x, tower->y);
  }
}
