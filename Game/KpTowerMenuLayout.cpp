// Where the tower menu puts its items, marks and prices.

#include "Game/KpTowerMenuLayout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "Core/Base/TextConversion.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpProto.h"
#include "Game/KpSpot.h"
#include "Game/KpTowerMenu.h"

namespace {

constexpr float kEdgeRadiusFactor = 1.3f;
constexpr float kTopEdge = 150.0f;
constexpr float kBottomEdge = 650.0f;
constexpr float kLeftEdge = 150.0f;
constexpr float kRightEdge = 874.0f;
constexpr float kLabelRise = 30.0f;
constexpr float kMarkDistance = 35.0f;
constexpr math::Point4 kAffordable{1.0f, 1.0f, 1.0f, 1.0f};
constexpr math::Point4 kTooDear{0.94f, 0.44f, 0.44f, 1.0f};
constexpr math::Point4 kSpotTooDear{1.0f, 0.0f, 0.0f, 1.0f};

struct Arc {
  float start;
  float end;
};

// The half circle that faces away from the edges the centre is near; a
// later rule wins, so a corner takes the side edge's.
Arc EdgeArc(float x, float y, Arc arc) {
  if (y < kTopEdge) arc = {270.0f, 450.0f};
  if (y > kBottomEdge) arc = {90.0f, 270.0f};
  if (x < kLeftEdge) arc = {0.0f, 180.0f};
  if (x > kRightEdge) arc = {180.0f, 360.0f};
  return arc;
}

// The four basic towers keep their places away from the edges: left, up,
// down and right.
bool FixedAngle(const KpProto* proto, float& angle) {
  if (!proto) return false;
  switch (proto->id) {
    case 10000: angle = 270.0f; return true;
    case 20000: angle = 180.0f; return true;
    case 30000: angle = 0.0f; return true;
    case 40000: angle = 90.0f; return true;
    default: return false;
  }
}

constexpr std::pair<std::string_view, const char*> kAbilityKeys[] = {
    {"dot", "dot"},          {"aim", "aimed"},
    {"aimed", "aimed"},      {"splash", "splash"},
    {"fsplash", "firesplash"}, {"firesplash", "firesplash"},
    {"stun", "stun"},        {"boost", "towerBoost"},
    {"towerBoost", "towerBoost"}, {"gold", "goldIncome"},
    {"goldIncome", "goldIncome"}, {"tele", "teleportEnemy"},
    {"teleportEnemy", "teleportEnemy"}, {"air", "air"},
    {"star1", "stars1"},     {"stars1", "stars1"},
    {"star2", "stars2"},     {"stars2", "stars2"},
};

}  // namespace

MenuPoint PointOnMenuRing(float centreX, float centreY, float degrees, float distance) {
  const float radians = degrees * kMenuDegreesToRadians;
  return {centreX + std::sin(radians) * distance, centreY + std::cos(radians) * distance};
}

const char* AbilityIconKey(std::string_view addon) {
  for (const auto& [name, key] : kAbilityKeys)
    if (name == addon) return key;
  return nullptr;
}

MenuPoint AbilityMarkOffset(int index, int count) {
  const float gap = 180.0f / static_cast<float>(count + 1);
  return PointOnMenuRing(0.0f, 0.0f, 270.0f + gap + static_cast<float>(index) * gap, kMarkDistance);
}

bool KpTowerMenu::nearEdge() const {
  return centreY < kTopEdge || centreY > kBottomEdge || centreX < kLeftEdge || centreX > kRightEdge;
}

float KpTowerMenu::edgeFactor() const { return nearEdge() ? kEdgeRadiusFactor : 1.0f; }

float KpTowerMenu::openScale() const {
  if (phase == kOpening) return phaseTime / kPhaseSeconds;
  if (phase == kClosing) return 1.0f - phaseTime / kPhaseSeconds;
  return 1.0f;
}

// Near the bottom or the right edge the order turns, once, so that the first
// item stands on the same side as at the top and left edges (left, or
// below); the arc follows the centre at every layout.
void KpTowerMenu::layOutItems() {
  const bool edge = nearEdge();
  if (edge) {
    if (!edgeLayoutDone) {
      edgeLayoutDone = true;
      if (centreY > kTopEdge && centreX > kLeftEdge) std::reverse(items.begin(), items.end());
    }
    const Arc arc = EdgeArc(centreX, centreY, {arcStart, arcEnd});
    arcStart = arc.start;
    arcEnd = arc.end;
  }
  const int count = static_cast<int>(items.size());
  const int divisor = edge ? count - 1 : count;
  const float step = divisor != 0 ? (arcEnd - arcStart) / static_cast<float>(divisor) : 0.0f;
  for (int i = 0; i < count; ++i) {
    KpMenuItem& item = *items[static_cast<std::size_t>(i)];
    item.angle = arcStart + static_cast<float>(i) * step;
    if (!edge) FixedAngle(item.proto.get(), item.angle);
  }
}

MenuPoint KpTowerMenu::itemPlace(const KpMenuItem& item) const {
  return PointOnMenuRing(centreX, centreY, item.angle, radius * edgeFactor() * openScale());
}

// The label keeps to the plain ring also near an edge.
MenuPoint KpTowerMenu::labelPlace(const KpMenuItem& item) const {
  MenuPoint place = PointOnMenuRing(centreX, centreY, item.angle, radius * openScale());
  place.y -= kLabelRise;
  return place;
}

std::optional<MenuPriceLabel> KpTowerMenu::priceLabel(const KpMenuItem& item, int money, int gems) const {
  if (item.proto) {
    const int price = static_cast<int>(kind == kLevelUp ? item.proto->tierCost : item.price);
    return MenuPriceLabel{u"$" + base::ToWide(std::to_string(price), base::kEncodingUtf8),
                          money < price ? kTooDear : kAffordable};
  }
  if (item.priceText.empty()) return std::nullopt;
  const KpSpot* spot = spotEntry ? spotEntry->spot : nullptr;
  const bool unaffordable = spot && (spot->costGold > money || spot->costReal > gems);
  return MenuPriceLabel{base::ToWide(item.priceText, base::kEncodingUtf8),
                        phase == kOpen && unaffordable ? kSpotTooDear : kAffordable};
}
