#include <memory>
#include <vector>

#include "Core/Render/Graphics.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/Render.h"
#include "Core/Render/RenderState.h"
#include "Core/Render/RenderTarget.h"
#include "Framework/GameApplication.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpParticle.h"
#include "Game/KpPickups.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpWaves.h"
#include "Game/MapDrawScene.h"
#include "Game/MapDrawTexts.h"
#include "Game/ParticleEffect.h"
#include "Game/RoadDecals.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"

namespace {

// The screens over a running level: play, its results, the pause menu and
// the messages and offers it opens. Only these show the level's scene.
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

// The marker of a button is made before any button exists; one still at the
// origin has not been put on one and would show in the screen's corner.
bool IsPlaced(const render::ParticleEmitter& emitter) {
  float x = 0.0f;
  float y = 0.0f;
  emitter.GetPosition(x, y);
  return x != 0.0f || y != 0.0f;
}

// The marker stands on the unit's feet, lifted by the offset of its sprite's
// first frame; a sprite without one has no place for it.
void DrawSelectedUnitMarker(render::Graphics& graphics, const KpMap& map) {
  const KpEnemy* unit = map.selectedUnit;
  if (!unit || !map.enemySpotSprite) return;
  const KpProto* proto = unit->getTierProto();
  const SpriteDef::FrameList* root = proto && proto->sprite ? proto->sprite->findGroup("") : nullptr;
  if (!root || root->empty()) return;
  const MapTransformScope placed(graphics, map);
  map.enemySpotSprite->draw(&graphics, unit->x, unit->y - root->front()->y, 0.0f);
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
  if (!resourcesLoaded) return;
  if (IsLevelState(screenState)) drawScene(graphics);

  {
    const MapTransformScope placed(graphics, *this);
    if (popups) popups->draw(graphics);
    DrawAllSprites(effectSprites, graphics);
  }
  DrawAllSprites(gemPickups, graphics);
  {
    // Beams run from a tower to its unit, both placed on the map.
    const MapTransformScope placed(graphics, *this);
    for (KpParticle* particle : particles) particle->draw(graphics);
  }
  graphics.SetBlendMode(render::kBlendAlpha);
  drawTowerMenu(graphics);
  {
    const MapTransformScope placed(graphics, *this);
    for (render::ParticleEmitter* emitter : towerEmitters) graphics.DrawParticles(emitter);
    if (screenState != kScreenGemShop)
      for (const ParticleEffect* effect : fxEmitters)
        if (effect->emitter()) graphics.DrawParticles(effect->emitter());
  }
  if (IsLevelState(screenState) && activeButtonEmitter && IsPlaced(*activeButtonEmitter))
    graphics.DrawParticles(activeButtonEmitter.get());
  if (debugShowWaves) drawWaveSchedule(graphics);
}

// A menu is deleted only here, once it has closed: its last frame has been
// drawn and nothing presses it any more.
void KpMap::drawTowerMenu(render::Graphics& graphics) {
  if (!towerMenu) return;
  if (!towerMenu->isOpen) {
    towerMenu.reset();
    return;
  }
  const MapTransformScope placed(graphics, *this);
  towerMenu->draw(graphics);
}

// The level under the interface: the frame list of layers, units, towers and
// effects by depth, then what stands over all of them.
void KpMap::drawScene(render::Graphics& graphics) {
  graphics.SetBlendMode(render::kBlendAlpha);
  for (KpTower* tower : towers) tower->draw(graphics);
  if (waves)
    for (KpEnemy* unit : waves->enemies()) unit->draw(graphics);
  const MapFrameList frame = TakeMapFrameList(*this);
  DrawMapFrameList(graphics, *this, frame);

  if (waves)
    for (KpEnemy* unit : waves->enemies()) unit->drawOverlay(graphics);
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  for (KpTower* tower : towers) tower->drawOverlay(graphics);
  DrawSelectedUnitMarker(graphics, *this);
  DrawNextWaveTexts(graphics, *this);
  if (debugShowAreas) DrawAreaDebugView(graphics, *this);

  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  if (bullets) {
    const MapTransformScope placed(graphics, *this);
    bullets->draw(graphics);
  }
}
