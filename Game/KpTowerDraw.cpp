#include <algorithm>
#include <cmath>
#include <memory>

#include "Core/Base/MathTransform.h"
#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Graphics.h"
#include "Game/RunningGameMap.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpPickups.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/SpriteExtent.h"
#include "Game/TowerAnimation.h"

namespace {

constexpr int kDirections = 32;
constexpr float kSectorDegrees = 11.25f;
constexpr int kFramesPerDirection = 4;
// The map's draw list of the ground, where towers and walking units are
// sorted by their feet.
constexpr std::size_t kGroundQueue = 1;
constexpr int kMaxStarBadges = 11;
constexpr float kStarBadgeOffsetX = 15.0f;
constexpr float kBoostIconRise = 50.0f;

int DirectionIndex(float angle) {
  const int index = kDirections - 1 - static_cast<int>(std::floor(angle / kSectorDegrees));
  return index < 0 ? kDirections - 1 : index;
}

// Places the frame of a sprite of size width x height so that its base point
// (or, without one, the middle of its lower half) stands on (x, y).
math::Transform2D FramePlacement(const KpFrameEntry& frame, const KpFrameEntry* basePoint, float width, float height,
                                 float x, float y) {
  math::Transform2D placement;
  placement.Translate(frame.width * 0.5f, frame.height * 0.5f);
  placement.Translate(frame.x, frame.y);
  placement.Translate(-width * 0.5f, -height * 0.5f);
  if (basePoint)
    placement.Translate(width * 0.5f - basePoint->x + x, height * 0.5f - basePoint->y + y);
  else
    placement.Translate(x, y - height * 0.5f);
  return placement;
}

struct ScreenPoint {
  float x;
  float y;
};

ScreenPoint ToScreen(const KpMap& map, float x, float y) {
  return {x * map.mapScale + map.mapOffsetX, y * map.mapScale + map.mapOffsetY};
}

void DrawCentred(render::Graphics& graphics, render::Image* image, float x, float y) {
  if (!image) return;
  math::Transform2D placement;
  placement.Translate(x, y);
  auto draw = graphics.DrawImage(image);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(placement);
}

}  // namespace

const KpFrameEntry* KpTower::currentFrame(const KpProto& tierProto, bool inMenu) {
  const TowerAnimation animation(tierProto);
  const int direction = DirectionIndex(angle);
  const auto step = static_cast<std::size_t>(std::max(0.0f, std::floor(animationTime * animation.fps())));
  const auto directionStart = static_cast<std::size_t>(kFramesPerDirection * direction);
  if (tierProto.rotating) directionIndex = direction;
  if (state == kFiring) {
    if (tierProto.rotating)
      return animation.frameAt("", directionStart + std::min<std::size_t>(step, kFramesPerDirection - 1));
    return animation.frameAtOrLast("blast", step);
  }
  if (state == kWaitingForShell && !inMenu && !tierProto.rotating)
    return animation.frameAtOrLast("blast", step > 0 ? step - 1 : 0);
  if (tierProto.rotating) return animation.frameAtOrLast("", directionStart);
  const KpFrameEntry* idle = animation.frameAt("idle", step);
  return idle ? idle : animation.frameAt("idle", 0);
}

void KpTower::draw(render::Graphics& graphics) {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !tierProto) return;
  if (const KpFrameEntry* frame = currentFrame(*tierProto, false)) {
    const KpFrameEntry* basePoint = TowerAnimation(*tierProto).optionalMarker("base_point");
    std::unique_ptr<KpFrameEntry> entry = frame->nonOwningCopy();
    entry->transform = FramePlacement(*frame, basePoint, spriteWidth, spriteHeight, drawX, drawY);
    entry->colour[0] = entry->colour[1] = entry->colour[2] = 1.0f;
    entry->colour[3] = fade;
    entry->bottom = drawY;
    map->drawQueues[kGroundQueue].push_back(entry.release());
  }
  if (map->debugShowTargetLines && target) {
    const ScreenPoint from = ToScreen(*map, x, y);
    const ScreenPoint to = ToScreen(*map, target->x, target->y);
    graphics.DrawLine({from.x, from.y}, {to.x, to.y});
  }
}

void KpTower::drawOverlay(render::Graphics& graphics) {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !tierProto) return;
  const ScreenPoint at = ToScreen(*map, x, y);
  if (tierProto->stars > 0) {
    const auto badge = static_cast<std::size_t>(std::min<int>(tierProto->stars, map->levelIcons.size() - 1));
    for (int star = 0; star < std::min(tierProto->stars, kMaxStarBadges); ++star)
      DrawCentred(graphics, map->levelIcons[badge], at.x + kStarBadgeOffsetX, at.y);
  }
  DrawAllSprites(pickups, graphics);
  if (boosted) DrawCentred(graphics, map->powerBuffIcon, at.x, at.y - kBoostIconRise);
}

void KpTower::drawInMenu(render::Graphics& graphics) {
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = getTierProto();
  if (!map || !tierProto) return;
  const KpFrameEntry* frame = currentFrame(*tierProto, true);
  if (!frame || !frame->image) return;
  SpriteExtent extent{spriteWidth, spriteHeight};
  if (tierProto->sprite) extent = GetSpriteExtent(*tierProto->sprite);
  const KpFrameEntry* basePoint = TowerAnimation(*tierProto).optionalMarker("base_point");
  const math::Transform2D placement = FramePlacement(*frame, basePoint, extent.width, extent.height, drawX, drawY);

  math::Transform view;
  view.Scale(map->mapScale, map->mapScale, 1.0f);
  view.Translate(map->mapOffsetX, map->mapOffsetY, 0.0f);
  math::Transform* previous = graphics.GetTransform();
  graphics.SetTransform(&view);
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, fade);
  {
    auto draw = graphics.DrawImage(frame->image);
    draw->anchorX = render::kAnchorCenter;
    draw->anchorY = render::kAnchorMiddle;
    draw.Transform2D(placement);
  }
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  graphics.SetTransform(previous);
}
