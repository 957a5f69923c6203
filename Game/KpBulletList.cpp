#include "Game/KpBulletList.h"

#include <algorithm>
#include <memory>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Graphics.h"
#include "Core/Render/Image.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Game/KpBullet.h"
#include "Game/KpEnemy.h"
#include "Game/KpMap.h"
#include "Game/KpModifier.h"
#include "Game/KpProto.h"
#include "Game/KpTower.h"
#include "Game/KpWaves.h"
#include "Game/OwnedPointers.h"
#include "Game/ParticleEffect.h"
#include "Game/RunningGameMap.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"

namespace {

void StartMuzzleEffect(KpMap& map, const KpBullet& bullet, const std::string& name) {
  auto effect = std::make_unique<ParticleEffect>(name);
  if (render::ParticleEmitter* emitter = effect->emitter()) {
    emitter->SetPosition(bullet.x, bullet.y, 0);
    emitter->SetDirection(bullet.tower->angle - 180.0f);
    emitter->SetState(render::ParticleEmitter::kRunning);
  }
  map.fxEmitters.push_back(effect.release());
}

std::string WithoutTrailingReturn(std::string name) {
  if (!name.empty() && name.back() == '\r') name.pop_back();
  return name;
}

void DrawSprite(render::Graphics& graphics, KpBullet& bullet, const SpriteDef& sprite) {
  graphics.SetBlendMode(render::kBlendAlpha);
  if (!sprite.fromLayout()) {
    if (!sprite.image()) return;
    math::Transform2D placement;
    placement.Translate(bullet.x, bullet.y);
    auto draw = graphics.DrawImage(sprite.image());
    draw->anchorX = render::kAnchorCenter;
    draw->anchorY = render::kAnchorMiddle;
    draw.Transform2D(placement);
    return;
  }
  // Only lobbed shells play a layout; other layout ammunition shows nothing.
  if (bullet.shellAnimation) bullet.shellAnimation->draw(&graphics, bullet.x, bullet.y, bullet.rotation);
}

}  // namespace

KpBulletList::~KpBulletList() { clear(); }

void KpBulletList::clear() { DeleteAllPointers(bullets_); }

void KpBulletList::add(KpBullet* bullet) {
  if (!bullet) return;
  if (bullet->tower && !canFly(*bullet)) {
    delete bullet;
    return;
  }
  KpMap* map = RunningGameMap();
  if (bullet->tower && map) startEffects(*map, *bullet);
  bullets_.push_back(bullet);
}

// A shot that would never move would never end either.
bool KpBulletList::canFly(const KpBullet& bullet) {
  const KpProto* tier = bullet.tierProto;
  if (!tier || tier->speed > 0.0f || tier->speed == KpBullet::kInstantSpeed) return true;
  if (reportedSpeeds_.insert(tier->id).second)
    QL_LOG(u"The tower prototype %d gives its shots the speed %f; they are not fired\n")
        .AddArg(tier->id)
        .AddArg(tier->speed);
  return false;
}

void KpBulletList::startEffects(KpMap& map, KpBullet& bullet) {
  const KpProto* ammo = bullet.ammoProto();
  if (!ammo) {
    const int ammoId = bullet.tierProto ? bullet.tierProto->ammoId : 0;
    if (reportedAmmo_.insert(ammoId).second)
      QL_LOG(u"The ammunition prototype %d does not exist; its shots show no effects\n").AddArg(ammoId);
    return;
  }
  if (!ammo->onFire.empty()) StartMuzzleEffect(map, bullet, ammo->onFire);
  const std::string trailName = WithoutTrailingReturn(ammo->onAmmo);
  if (trailName.empty()) return;
  bullet.trail = render::ParticleSystem::Instance()->CreateEmitter(trailName);
  if (!bullet.trail) {
    if (reportedTrails_.insert(trailName).second)
      QL_LOG(u"The particle template '%s' does not exist; shots fly without a trail\n")
          .AddArg(base::ToWide(trailName, base::kEncodingUtf8));
    return;
  }
  bullet.trail->SetPosition(bullet.x, bullet.y, 0);
  bullet.trail->SetState(render::ParticleEmitter::kRunning);
}

void KpBulletList::update(float dt) {
  // Shots added meanwhile are updated in the same pass.
  for (std::size_t i = 0; i < bullets_.size(); ++i) bullets_[i]->update(dt);
  std::vector<KpBullet*> dead;
  std::erase_if(bullets_, [&dead](KpBullet* bullet) {
    if (bullet->alive) return false;
    dead.push_back(bullet);
    return true;
  });
  for (KpBullet* bullet : dead) {
    // A lobbing tower waits for its shell.
    if (bullet->tower && bullet->tower->state == KpTower::kWaitingForShell) {
      bullet->tower->state = KpTower::kIdle;
      bullet->tower->animationTime = 0.0f;
    }
    delete bullet;
  }
}

void KpBulletList::draw(render::Graphics& graphics) {
  graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, 1.0f);
  for (KpBullet* bullet : bullets_) {
    if (bullet->trail) graphics.DrawParticles(bullet->trail.get());
    if (!bullet->tower) continue;
    const KpProto* ammo = bullet->ammoProto();
    if (ammo && ammo->sprite) DrawSprite(graphics, *bullet, *ammo->sprite);
  }
}

void KpBulletList::removeTowerBullets(KpTower* tower) {
  std::vector<KpBullet*> fired;
  std::erase_if(bullets_, [&fired, tower](KpBullet* bullet) {
    if (bullet->tower != tower) return false;
    fired.push_back(bullet);
    return true;
  });
  DeleteAllPointers(fired);
  KpMap* map = RunningGameMap();
  if (!map) return;
  if (map->waves)
    for (KpEnemy* unit : map->waves->enemies())
      for (KpModifier* modifier : unit->modifiers) modifier->onSourceRemoved(tower);
  // Areas a tower's shots left on the map remember it too.
  for (KpModifier* area : map->areaEffects) area->onSourceRemoved(tower);
}

void KpBulletList::forgetEnemy(KpEnemy* unit) {
  for (KpBullet* bullet : bullets_) {
    if (bullet->target == unit) bullet->target = nullptr;
    std::erase(bullet->hitList, unit);
  }
}
