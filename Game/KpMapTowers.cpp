#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "Core/Base/Format.h"
#include "Core/Base/LogMessage.h"
#include "Core/Render/ParticleEmitter.h"
#include "Core/Render/ParticleSystem.h"
#include "Core/Sound/SoundTags.h"
#include "Game/RunningGameMap.h"
#include "Game/KpBulletList.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpMapImages.h"
#include "Game/KpParticle.h"
#include "Game/KpPopupList.h"
#include "Game/KpProto.h"
#include "Game/KpProtoLibrary.h"
#include "Game/KpSprite.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpUnlockTable.h"
#include "Game/LocalStrings.h"
#include "Game/OwnedPointers.h"
#include "Game/PlayerProfile.h"
#include "Game/SpriteExtent.h"
#include "Game/UpgradedTowerProto.h"

namespace {

constexpr int kUpgradeInfoPopupKind = 5;
constexpr float kUpgradeInfoLife = 2.5f;
constexpr float kUpgradeInfoRise = 30.0f;
constexpr float kUpgradeEffectDrop = 15.0f;

// A one-shot effect of the tower commands, playing at the map point.
void StartTowerEffect(KpMap& map, const std::string& name, float x, float y) {
  std::unique_ptr<render::ParticleEmitter> emitter = render::ParticleSystem::Instance()->CreateEmitter(name);
  if (!emitter) return;
  emitter->SetPosition(x, y, 1);
  emitter->SetState(render::ParticleEmitter::kRunning);
  map.towerEmitters.push_back(emitter.release());
}

// The change from old to new in whole percent. The small allowance keeps a
// ratio such as 1.0 / 0.8, which floats hold just below 1.25, at 25.
int PercentChange(float newValue, float oldValue) {
  const float percent = (newValue / oldValue - 1.0f) * 100.0f;
  return static_cast<int>(std::trunc(percent + std::copysign(1e-3f, percent)));
}

// One line per value the upgrade changes, each a localised format with the
// percentage.
base::WString UpgradeInfo(const KpProto& from, const KpProto& to) {
  base::WString text;
  const auto addLine = [&text](const char16_t* key, int percent) {
    WideFormat line(LocalStrings::Instance()->getString(key));
    line.AddInt(percent).Finish();
    if (!text.empty()) text += u'\n';
    text += line.Text();
  };
  if (to.range != from.range && from.range > 0.0f)
    addLine(u"towerUpgradeInfoRange", PercentChange(to.range, from.range));
  if (to.strength != from.strength && from.strength > 0.0f)
    addLine(u"towerUpgradeInfoDamage", PercentChange(to.strength, from.strength));
  if (to.cooldown != from.cooldown && to.cooldown > 0.0f)
    addLine(u"towerUpgradeInfoRof", PercentChange(from.cooldown, to.cooldown));
  if (to.goldIncome != from.goldIncome && from.goldIncome > 0)
    addLine(u"towerUpgradeInfoIncome",
            PercentChange(static_cast<float>(to.goldIncome), static_cast<float>(from.goldIncome)));
  return text;
}

}  // namespace

std::unique_ptr<KpProto> KpMap::upgradedProto(int id) const {
  if (!protos || !upgrades || !profile || !unlockTable) return nullptr;
  return CreateUpgradedTowerProto(*protos, *upgrades, *profile, *unlockTable, id);
}

KpTower* KpMap::buildTower(const KpProto& prototype, KpFrameEntry* spotImage) {
  if (!wallet || !spotImage) return nullptr;
  const std::unique_ptr<KpProto> upgraded = upgradedProto(prototype.id);
  const float price = upgraded ? upgraded->cost : prototype.cost;
  if (price > static_cast<float>(wallet->money)) return nullptr;
  wallet->spendMoney(static_cast<int>(price));
  KpTower* tower = placeTower(prototype, *spotImage);
  w4::SoundTags::Instance()->Play(u"buildTower");
  StartTowerEffect(*this, "build", tower->x, tower->y);
  return tower;
}

KpTower* KpMap::placeTower(const KpProto& prototype, KpFrameEntry& spotImage) {
  spotImage.visible = false;
  auto* tower = new KpTower;
  towers.push_back(tower);
  tower->spot = &spotImage;
  tower->x = tower->drawX = spotImage.x + spotImage.width * 0.5f;
  tower->y = tower->drawY = spotImage.y + spotImage.height * 0.5f;
  // Listed and placed before its auras are made, which sort the list and
  // measure from the spot.
  tower->init(&prototype);
  return tower;
}

// A tower the level puts on a spot is the level's gift: it costs nothing.
void KpMap::placeLevelTowers() {
  if (!mapImages || !protos) return;
  const std::vector<KpFrameEntry*>& spotImages = mapImages->spotFrames();
  for (KpFrameEntry* spotImage : spotImages) {
    if (!spotImage->spot || !spotImage->spot->properties) continue;
    const float id = spotImage->spot->properties->getFloat("tower_id");
    // Ids that truncate to 0 name no tower.
    if (!(std::fabs(id) >= 1.0f && std::fabs(id) < 2147483520.0f)) continue;
    const KpProto* prototype = protos->find(static_cast<int>(id));
    if (!prototype) {
      QL_LOG(u"The spot '%s' of the level asks for the tower %d, which the sheets lack; the spot stays free\n")
          .AddArg(spotImage->name)
          .AddArg(static_cast<int>(id));
      continue;
    }
    placeTower(*prototype, *spotImage);
  }
}

void KpTower::upgradeTo(int tierId, int price) {
  KpMap* map = RunningGameMap();
  const KpProto* next = getTierProto(tierId);
  if (!map || !map->wallet || !next) return;
  if (price > map->wallet->money) return;
  map->wallet->spendMoney(price);
  // Tier 0 is the base itself, which no levelid names.
  const KpProto* previous = tier != 0 ? getTierProto(tier) : getTierProto(-1);
  if (previous && map->popups) {
    KpPopup* popup = map->popups->add(x, y - kUpgradeInfoRise, kUpgradeInfoPopupKind);
    popup->text = UpgradeInfo(*previous, *next);
    popup->life = kUpgradeInfoLife;
  }
  clearTarget();
  tier = tierId;
  state = kIdle;
  animationTime = 0.0f;
  setupAuras();
  if (next->sprite) {
    const SpriteExtent extent = GetSpriteExtent(*next->sprite);
    spriteWidth = extent.width;
    spriteHeight = extent.height;
  }
  StartTowerEffect(*map, "upgrade", x, y + kUpgradeEffectDrop);
  w4::SoundTags::Instance()->Play(u"upgradeTower");
}

void KpMap::sellTower(KpTower* tower) {
  const auto listed = std::find(towers.begin(), towers.end(), tower);
  if (!tower || listed == towers.end()) return;
  // The menu of the tower closes before it goes and never draws it again.
  if (towerMenu && towerMenu->tower == tower) {
    towerMenu->close();
    towerMenu->tower = nullptr;
  }
  if (wallet) {
    float value = 0.0f;
    if (const KpProto* tierProto = tower->getTierProto()) {
      value = std::trunc(tierProto->cost);
      if (tierProto->parent != -1 && protos)
        if (const KpProto* parent = protos->find(tierProto->parent)) value += std::trunc(parent->cost);
    }
    wallet->addMoney(static_cast<int>(std::floor(value * sellFactor)));
  }
  // The held unit's effects still name the tower until its shots go.
  if (tower->beam && tower->beam->isRunning()) {
    if (KpEnemy* held = tower->beam->target) {
      held->removeModifiersFrom(tower);
      if (held->state == KpEnemy::kHeldInBeam) held->state = KpEnemy::kWalking;
    }
    tower->beam->finish();
  }
  if (bullets) bullets->removeTowerBullets(tower);
  tower->beam = nullptr;
  StartTowerEffect(*this, "build", tower->x, tower->y);
  w4::SoundTags::Instance()->Play(u"sellTower");
  if (tower->disabledSprite) RemoveAndDeletePointer(effectSprites, static_cast<KpSprite*>(tower->disabledSprite));
  if (tower->debuffSprite) RemoveAndDeletePointer(effectSprites, static_cast<KpSprite*>(tower->debuffSprite));
  if (tower->spot) tower->spot->visible = true;
  towers.erase(listed);
  delete tower;
}
