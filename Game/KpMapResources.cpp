#include <memory>
#include <string>
#include <utility>

#include "Game/KpMap.h"
#include "Game/KpPopupList.h"
#include "Game/KpWaveHints.h"
#include "Game/KpResources.h"

namespace {

constexpr const char16_t* kUiSprite = u"kp/ui";

render::Image* UiImage(const char16_t* frame) { return KpResources::Instance()->findImage(kUiSprite, frame); }

// Each tower's icon by prototype id: the three levels of a line share the
// icon of its first, each of the two branches has its own.
constexpr std::pair<int, const char16_t*> kTowerIcons[] = {
    {10000, u"ui/tower_01"}, {10001, u"ui/tower_01"}, {10002, u"ui/tower_01"}, {10100, u"ui/tower_03"},
    {10200, u"ui/tower_02"}, {20000, u"ui/tower_05"}, {20001, u"ui/tower_05"}, {20002, u"ui/tower_05"},
    {20100, u"ui/tower_04"}, {20200, u"ui/tower_06"}, {30000, u"ui/tower_09"}, {30001, u"ui/tower_09"},
    {30002, u"ui/tower_09"}, {30100, u"ui/tower_11"}, {30200, u"ui/tower_10"}, {40000, u"ui/tower_08"},
    {40001, u"ui/tower_08"}, {40002, u"ui/tower_08"}, {40100, u"ui/tower_12"}, {40200, u"ui/tower_07"},
};

constexpr std::pair<const char*, const char16_t*> kAbilityIcons[] = {
    {"dot", u"ui/acid_01"},           {"aimed", u"ui/beam_01"},       {"splash", u"ui/aoe_01"},
    {"firesplash", u"ui/burn_01"},    {"stun", u"ui/dazed_01"},       {"towerBoost", u"ui/hammer_01"},
    {"goldIncome", u"ui/money_01"},   {"teleportEnemy", u"ui/portal_01"}, {"air", u"ui/wing_01"},
    {"stars1", u"ui/might_01"},       {"stars2", u"ui/might_02"},
};

}  // namespace

void KpMap::loadResources() {
  KpResources::Instance()->loadSharedLayouts();
  loadUiIcons();
  popups = std::make_unique<KpPopupList>();
  waveHints = std::make_unique<KpWaveHints>();
  resourcesLoaded = true;
}

void KpMap::loadUiIcons() {
  brushImage = UiImage(u"ui/brush");
  powerBuffIcon = UiImage(u"ui/power_buff");
  level2Icon = UiImage(u"ui/lvl2");
  level3Icon = UiImage(u"ui/lvl3");
  sellIcon = UiImage(u"ui/sell");
  buyIcon = UiImage(u"ui/buy");
  gemPriceIcon = UiImage(u"ui/context_gem");
  for (const auto& [id, frame] : kTowerIcons) towerIcons[id] = UiImage(frame);
  for (const auto& [ability, frame] : kAbilityIcons) abilityIcons[ability] = UiImage(frame);
  barIcon = UiImage(u"ui/bar");
  radiusIcon = UiImage(u"ui/radius");
  levelIcons = {nullptr, UiImage(u"ui/l1"), UiImage(u"ui/l2"), UiImage(u"ui/l3")};
}
