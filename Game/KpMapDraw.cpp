#include <vector>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderTarget.h"
#include "Framework/GameApplication.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpWaveHints.h"
#include "Game/RoadDecals.h"

namespace {

// Layers drawn over the units: scenery that stands in front of them ('^'),
// overlays ('$') and the markers under the build spots.
bool DrawnOverUnits(const KpFrameEntry& entry) {
  return entry.name.starts_with(u'^') || entry.name.starts_with(u'$') || entry.name == u"##";
}

bool IsLevelState(int state) {
  switch (state) {
    case kScreenPlay:
    case kScreenLevelWon:
    case kScreenLevelLost:
    case kScreenPauseMenu:
    case kScreenUnlockMessage:
    case kScreenMapGemOffer:
    case kScreenLowLifeOffer:
    case kScreenHealthPurchase:
      return true;
    default:
      return false;
  }
}

}  // namespace

void KpMap::bakeBackground() {
  bakedBackground.reset();
  framework::GameApplication* application = framework::GameApplication::Instance();
  render::Render* render = application ? application->GetRender() : nullptr;
  if (!render) return;
  bakedViewRect = application->GetLayout().visibleArea;
  std::unique_ptr<render::RenderTarget> target;
  if (render->CreateRenderTarget(static_cast<int>(bakedViewRect[2]), static_cast<int>(bakedViewRect[3]), &target,
                                 true) != QL_OK ||
      !target)
    return;
  {
    render::Graphics graphics(*target);
    const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    graphics.Clear(render::kClearColor, transparent, 1.0f, 0);
    graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
    DrawRoadDecals(graphics, routeMap, brushImage, -bakedViewRect[0]);
  }
  bakedBackground = std::move(target);
}

void KpMap::draw(render::Graphics& graphics) {
  if (!resourcesLoaded || !IsLevelState(screenState) || !mapImages) return;
  graphics.SetBlendMode(render::kBlendAlpha);
  graphics.SelectTexturedShader(1);
  // The ordinary layers and the spots lie under everything, the last of
  // them lowest; the scenery in front follows in its stored order.
  std::vector<const KpFrameEntry*> order;
  const std::vector<KpFrameEntry*>& frames = mapImages->frames();
  for (auto each = frames.rbegin(); each != frames.rend(); ++each)
    if ((*each)->visible && !DrawnOverUnits(**each)) order.push_back(*each);
  for (const KpFrameEntry* entry : frames)
    if (entry->visible && DrawnOverUnits(*entry)) order.push_back(entry);
  math::Transform2D placement;
  for (const KpFrameEntry* entry : order) {
    if (!entry->image) continue;
    placement.Reset();
    placement.Translate(entry->x + entry->width * 0.5f, entry->y + entry->height * 0.5f);
    placement.Scale(mapScale, mapScale);
    placement.Translate(mapOffsetX, mapOffsetY);
    graphics.SetColor(entry->colour);
    if (entry->additive) graphics.SetBlendMode(render::kBlendAdditive);
    auto draw = graphics.DrawImage(entry->image);
    draw->anchorX = render::kAnchorCenter;
    draw->anchorY = render::kAnchorMiddle;
    draw->flipX = entry->mirror;
    draw.Transform2D(placement);
    if (entry->additive) graphics.SetBlendMode(render::kBlendAlpha);
  }
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  if (waveHints) waveHints->draw(graphics);
  drawEffects(graphics);
  if (debugShowWaves) drawWaveSchedule(graphics);
}
