// The tower menu on the screen: the reach preview under it, then the ring of
// choices with their marks and prices.

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Base/MathTransform2D.h"
#include "Core/Render/Graphics.h"
#include "Game/AttributedString.h"
#include "Game/GameWindow.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpMap.h"
#include "Game/KpProto.h"
#include "Game/KpSpot.h"
#include "Game/KpTower.h"
#include "Game/KpTowerMenu.h"
#include "Game/KpUnlockTable.h"
#include "Game/KpWallet.h"
#include "Game/PlayerProfile.h"
#include "Game/RunningGameMap.h"
#include "Game/UpgradeList.h"

namespace {

constexpr int kCircleSegments = 36;
constexpr float kCircleSegmentDegrees = 10.0f;
// The reach picture's diameter at scale 1.
constexpr float kRadiusImageSize = 336.0f;
constexpr float kPulseGrowth = 1.125f;
constexpr math::Point4 kRangeRing{0.71f, 0.63f, 0.31f, 1.0f};
constexpr math::Point4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};

void DrawCentred(render::Graphics& graphics, render::Image* image, float x, float y, float scale = 1.0f) {
  if (!image) return;
  math::Transform2D placement;
  placement.Scale(scale, scale);
  placement.Translate(x, y);
  auto draw = graphics.DrawImage(image);
  draw->anchorX = render::kAnchorCenter;
  draw->anchorY = render::kAnchorMiddle;
  draw.Transform2D(placement);
}

// 36 straight pieces.
void DrawCircle(render::Graphics& graphics, float x, float y, float r) {
  for (int k = 1; k <= kCircleSegments; ++k) {
    const float from = kCircleSegmentDegrees * static_cast<float>(k - 1) * kMenuDegreesToRadians;
    const float to = kCircleSegmentDegrees * static_cast<float>(k) * kMenuDegreesToRadians;
    graphics.DrawLine({x + r * std::cos(from), y + r * std::sin(from)}, {x + r * std::cos(to), y + r * std::sin(to)});
  }
}

// A spot without a range factor leaves the reach as it is, as for the
// tower that stands on it.
float RangeFactor(const KpFrameEntry& spotImage) {
  const KpSpot* spot = spotImage.spot;
  const float factor = spot && spot->properties ? spot->properties->getFloat("radius_mult") : 0.0f;
  return factor != 0.0f ? factor : 1.0f;
}

const KpMenuItem* ItemWithId(const KpTowerMenu& menu, int id) {
  for (const std::unique_ptr<KpMenuItem>& item : menu.items)
    if (item->id == id) return item.get();
  return nullptr;
}

// The diameter the preview shows: the hovered tower's or tier's, else the
// tower's own; none for the other menus and a build menu with no choice
// under the pointer.
std::optional<float> PreviewRange(const KpTowerMenu& menu) {
  if (menu.kind == KpTowerMenu::kBuild) {
    const KpMenuItem* hovered = menu.hoverId > 0 ? ItemWithId(menu, menu.hoverId) : nullptr;
    if (hovered && hovered->proto) return hovered->proto->range;
    return std::nullopt;
  }
  if (menu.kind != KpTowerMenu::kTower || !menu.tower) return std::nullopt;
  if (menu.hoverItem && menu.hoverItem->proto) return menu.hoverItem->proto->range;
  KpMap* map = RunningGameMap();
  const KpProto* tierProto = menu.tower->getTierProto();
  if (!map || !tierProto) return std::nullopt;
  if (const std::unique_ptr<KpProto> upgraded = map->upgradedProto(tierProto->id)) return upgraded->range;
  return tierProto->range;
}

// The icon of an item: the star badge of a tier, the tower's own icon, or
// the buy and sell pictures.
render::Image* FaceIcon(const KpMap& map, const KpTowerMenu& menu, const KpMenuItem& item) {
  if (!item.proto) return menu.kind == KpTowerMenu::kBuySpot ? map.buyIcon : map.sellIcon;
  if (item.proto->stars == 1) return map.level2Icon;
  if (item.proto->stars == 2) return map.level3Icon;
  const auto icon = map.towerIcons.find(item.proto->id);
  return icon == map.towerIcons.end() ? nullptr : icon->second;
}

void DrawAbilityMarks(render::Graphics& graphics, const KpMap& map, const KpProto& proto, MenuPoint at) {
  std::vector<render::Image*> marks;
  for (const std::string& addon : proto.addons) {
    const char* key = AbilityIconKey(addon);
    if (!key) continue;
    const auto icon = map.abilityIcons.find(key);
    marks.push_back(icon == map.abilityIcons.end() ? nullptr : icon->second);
  }
  const int count = static_cast<int>(marks.size());
  for (int j = 0; j < count; ++j) {
    const MenuPoint offset = AbilityMarkOffset(j, count);
    DrawCentred(graphics, marks[static_cast<std::size_t>(j)], at.x + offset.x, at.y + offset.y);
  }
}

}  // namespace

// Both rings pulse the same way: one that grows from the centre to a little
// past the reach once a second, fading as it goes.
void KpTowerMenu::drawRangePreview(render::Graphics& graphics) {
  if (phase == kClosing || !spotEntry) return;
  const std::optional<float> range = PreviewRange(*this);
  KpMap* map = RunningGameMap();
  if (!range || !map) return;
  const float factor = RangeFactor(*spotEntry);
  const float x = spotEntry->x + spotEntry->width * 0.5f;
  const float y = spotEntry->y + spotEntry->height * 0.5f;
  const float reach = *range * factor * 0.5f;
  graphics.SetColor(kWhite);
  DrawCentred(graphics, map->radiusIcon, x, y, *range / kRadiusImageSize * factor);
  graphics.SetColor(kRangeRing);
  DrawCircle(graphics, x, y, reach);
  const float pulse = phaseTime - std::floor(phaseTime);
  graphics.SetColorRGBA(0.0f, 0.36f, 0.125f, 1.0f - pulse);
  DrawCircle(graphics, x, y, reach * kPulseGrowth * pulse);
  graphics.SetColor(kWhite);
}

void KpTowerMenu::draw(render::Graphics& graphics) {
  if (!isOpen) return;
  drawRangePreview(graphics);
  if (tower && phase != kClosing) tower->drawInMenu(graphics);
  const float scale = openScale();
  if (items.empty()) {
    isOpen = false;
    return;
  }
  KpMap* map = RunningGameMap();
  if (!map || !map->wallet) return;
  const int money = map->wallet->money;
  const int gems = map->wallet->gems;
  if (render::Font* font = LoadedGameFont(GameFont::kMain32b)) graphics.SetFont(font);
  layOutItems();
  for (const std::unique_ptr<KpMenuItem>& item : items) {
    const MenuPoint at = itemPlace(*item);
    graphics.SetColorRGBA(1.0f, 1.0f, 1.0f, scale);
    DrawCentred(graphics, FaceIcon(*map, *this, *item), at.x, at.y);
    if (item->proto) DrawAbilityMarks(graphics, *map, *item->proto, at);
    if (const std::optional<MenuPriceLabel> label = priceLabel(*item, money, gems)) {
      const MenuPoint labelAt = labelPlace(*item);
      graphics.SetColor(label->colour);
      item->priceRichText->setText(label->text);
      item->priceRichText->split();
      math::Transform2D placement;
      placement.Translate(labelAt.x, labelAt.y);
      item->priceRichText->draw(&graphics, placement);
    }
    graphics.SetColor(kWhite);
  }
}
