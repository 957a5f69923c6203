#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "Core/Base/MathRandom.h"
#include "Core/Base/MathTransform2D.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Game/Game.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteDef.h"
#include "Game/SpriteExtent.h"

namespace {

// The map's draw queues the units go into.
constexpr std::size_t kGroundQueue = 1;
constexpr std::size_t kUpperQueue = 3;
constexpr std::size_t kUpperShadowQueue = 4;
constexpr float kSingleImageScale = 0.5f;
constexpr float kShadowOffsetX = 5.0f;
constexpr float kShadowOffsetY = 15.0f;
// The health bar stands this share of the sprite's height above the unit
// and fades over its last half second.
constexpr float kBarRise = 0.75f;
constexpr float kBarFadeSeconds = 0.5f;

// 0xAARRGGBB as red, green, blue and alpha from 0 to 1.
void ColorFromArgb(std::uint32_t argb, float out[4]) {
  out[0] = static_cast<float>((argb >> 16) & 0xffu) / 255.0f;
  out[1] = static_cast<float>((argb >> 8) & 0xffu) / 255.0f;
  out[2] = static_cast<float>(argb & 0xffu) / 255.0f;
  out[3] = static_cast<float>(argb >> 24) / 255.0f;
}

// The animation the unit shows in its state; null for a state that shows
// nothing.
const char* GroupOfState(const KpEnemy& unit, const KpProto& proto) {
  switch (unit.state) {
    case KpEnemy::kWalking:
      return "walk";
    case KpEnemy::kDying:
    case KpEnemy::kFading:
      return "death";
    case KpEnemy::kSpecial:
      return "special";
    case KpEnemy::kHeldInBeam:
      return proto.ice || proto.stone ? "walk" : "death";
    default:
      return nullptr;
  }
}

void DrawSingleImage(const KpEnemy& unit, render::Image* image, render::Graphics& graphics) {
  if (!image) return;
  math::Transform2D placement;
  placement.Scale(kSingleImageScale, kSingleImageScale);
  placement.Translate(unit.shownX, unit.shownY);
  auto draw = graphics.DrawImage(image);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(placement);
}

// A frame of a held unit flickers between its second and third death
// frames; any other plays by its animation time.
const KpFrameEntry* FrameToDraw(KpEnemy& unit, const KpProto& proto, const SpriteDef::FrameList& frames) {
  std::size_t index = 0;
  if (unit.state == KpEnemy::kHeldInBeam && !proto.ice && !proto.stone) {
    index = static_cast<std::size_t>(math::Random(0) + 0.5f) + 1;
    unit.animationTime = 0.0f;
  } else {
    const float step = std::floor(unit.animationTime * UnitFps(proto));
    index = step > 0.0f ? static_cast<std::size_t>(std::fmin(step, static_cast<float>(frames.size()))) : 0;
  }
  return FrameAtOrLast(frames, index);
}

math::Transform2D FramePlacement(const KpEnemy& unit, const KpFrameEntry& frame, const KpFrameEntry* reference) {
  const float side = unit.facingLeft ? 1.0f : -1.0f;
  const float referenceX = reference ? reference->x : 0.0f;
  const float referenceY = reference ? reference->y : 0.0f;
  math::Transform2D placement;
  placement.RotateDegrees(unit.deathSpin * side);
  placement.Translate(frame.width * side * -0.5f, frame.height * 0.5f);
  placement.Translate(-frame.x * side, frame.y);
  placement.Translate(unit.spriteWidth * 0.5f * side, -unit.spriteHeight * 0.5f);
  placement.Translate(unit.shownX - (unit.spriteWidth * 0.5f - referenceX) * side,
                      unit.spriteHeight * 0.5f - referenceY + unit.shownY + unit.deathDrop);
  return placement;
}

std::unique_ptr<KpFrameEntry> UnitEntry(const KpEnemy& unit, render::Image* image, const math::Transform2D& placement) {
  auto entry = std::make_unique<KpFrameEntry>();
  entry->image = image;
  entry->transform = placement;
  entry->mirror = unit.facingLeft;
  entry->colour[3] = unit.opacity * unit.fade;
  entry->bottom = unit.shownY;
  return entry;
}

void DrawBar(render::Graphics& graphics, render::Image* bar, float left, float top, float share,
             const float colour[4]) {
  graphics.SetColor(colour);
  auto draw = graphics.DrawImage(bar);
  math::Transform2D placement;
  placement.Scale(share, 1.0f);
  placement.Translate(left, top);
  draw.Transform2D(placement);
}

void DrawHealthText(const KpEnemy& unit, float maxHealth, render::Graphics& graphics) {
  const std::string text =
      std::to_string(static_cast<int>(unit.health)) + "/" + std::to_string(static_cast<int>(maxHealth));
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  graphics.DrawText(base::ToWide(text, base::kEncodingUtf8)).Translate2D(unit.shownX, unit.shownY);
  const EnemyBounds box = unit.bounds();
  const float left = box.centreX - box.width * 0.5f;
  const float right = box.centreX + box.width * 0.5f;
  const float top = box.centreY - box.height * 0.5f;
  const float bottom = box.centreY + box.height * 0.5f;
  graphics.DrawLine({left, top}, {right, top});
  graphics.DrawLine({right, top}, {right, bottom});
  graphics.DrawLine({right, bottom}, {left, bottom});
  graphics.DrawLine({left, bottom}, {left, top});
}

}  // namespace

void KpEnemy::draw(render::Graphics& graphics) {
  KpMap* map = RunningGameMap();
  const KpProto* proto = getTierProto();
  if (!entry || !proto || !proto->sprite || !map) return;
  const char* groupName = GroupOfState(*this, *proto);
  if (!groupName) return;
  const SpriteDef::FrameList* frames = proto->sprite->findGroup(groupName);
  if (!frames || frames->empty()) {
    DrawSingleImage(*this, proto->sprite->image(), graphics);
    return;
  }
  const KpFrameEntry* frame = FrameToDraw(*this, *proto, *frames);
  currentFrame = frame;
  const SpriteDef::FrameList* root = proto->sprite->findGroup("");
  const KpFrameEntry* reference = root && !root->empty() ? root->front() : nullptr;

  std::unique_ptr<KpFrameEntry> body = UnitEntry(*this, frame->image, FramePlacement(*this, *frame, reference));
  body->shader = Game::sInstance ? Game::sInstance->getMobShader() : nullptr;
  ColorFromArgb(proto->fillColor, body->shaderConstants);
  const bool flying = proto->air;
  map->drawQueues[flying || upperLevel != 0.0f ? kUpperQueue : kGroundQueue].push_back(body.release());
  if (flying && shadowImage) {
    math::Transform2D placement;
    placement.Translate(shownX + kShadowOffsetX, shownY + kShadowOffsetY);
    map->drawQueues[kUpperShadowQueue].push_back(UnitEntry(*this, shadowImage, placement).release());
  }
}

void KpEnemy::drawOverlay(render::Graphics& graphics) {
  const KpMap* map = RunningGameMap();
  const float maxHealth = getMaxHealth();
  if (!map || healthBarTime <= 0.0f || health == maxHealth || health == 0.0f || state == kDying ||
      state == kFading)
    return;
  if (health < 0.0f) health = 0.0f;
  if (map->barIcon) {
    const float alpha = healthBarTime >= kBarFadeSeconds ? 1.0f : healthBarTime * 2.0f;
    const float width = static_cast<float>(map->barIcon->GetWidth());
    const float left = shownX * map->mapScale + map->mapOffsetX - width * 0.5f;
    const float top = (shownY - kBarRise * spriteHeight) * map->mapScale + map->mapOffsetY;
    const float red[4] = {1.0f, 0.0f, 0.0f, alpha};
    const float green[4] = {0.0f, 1.0f, 0.0f, alpha};
    DrawBar(graphics, map->barIcon, left, top, 1.0f, red);
    DrawBar(graphics, map->barIcon, left, top, maxHealth > 0.0f ? health / maxHealth : 0.0f, green);
    graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  }
  if (map->debugShowHealth) DrawHealthText(*this, maxHealth, graphics);
}
