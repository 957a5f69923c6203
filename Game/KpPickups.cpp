#include "Game/KpPickups.h"

#include "Game/KpSprite.h"

namespace {

// About 35 map units: a finger's width around the pickup.
constexpr float kGrabDistanceSquared = 1200.0f;

}  // namespace

void DrawAllSprites(const std::vector<KpSprite*>& list, render::Graphics& graphics) {
  for (KpSprite* sprite : list) sprite->draw(&graphics);
}

void UpdatePickups(std::vector<KpSprite*>& list, float dt) { UpdateSpriteList(list, dt); }

KpSprite* FindPickupAt(const std::vector<KpSprite*>& list, float x, float y) {
  for (KpSprite* sprite : list) {
    const float dx = sprite->x - x;
    const float dy = sprite->y - y;
    if (sprite->state == KpSprite::kPickupReady && dx * dx + dy * dy < kGrabDistanceSquared) return sprite;
  }
  return nullptr;
}

bool HasPickupAt(const std::vector<KpSprite*>& list, float x, float y) { return FindPickupAt(list, x, y) != nullptr; }
