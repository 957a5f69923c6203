// The radial tower menu: which item a point hits, where the items stand on
// their ring, their ability marks and price labels, and what the menu offers
// and charges on the campaign's data.

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpProto.h"
#include "Game/KpSpot.h"
#include "Game/KpTowerMenu.h"

namespace {

constexpr float kPlace = 0.5f;

struct PlacedItem {
  int id;
  float angle;
};

// A menu whose items the test places itself.
class TowerMenuTest : public ::testing::Test {
 protected:
  ~TowerMenuTest() override { SingletonRegistry::Shutdown(); }

  // Items with a prototype of their id, as a build menu has them.
  static std::unique_ptr<KpTowerMenu> MenuAt(float x, float y, const std::vector<int>& protoIds) {
    auto menu = std::make_unique<KpTowerMenu>();
    menu->centreX = x;
    menu->centreY = y;
    int slot = 1;
    for (const int id : protoIds) {
      KpMenuItem* item = menu->addItem(slot++, id);
      item->proto = std::make_unique<KpProto>();
      item->proto->id = id;
    }
    return menu;
  }

  static std::vector<int> Ids(const KpTowerMenu& menu) {
    std::vector<int> ids;
    for (const auto& item : menu.items) ids.push_back(item->id);
    return ids;
  }
};

struct HitCase {
  const char* name;
  float centreX, centreY;
  std::vector<PlacedItem> items;
  int phase;
  int x, y;
  int hit;
};

TEST_F(TowerMenuTest, HitTestFindsTheFirstItemWithin32OfThePointOnceOpen) {
  const HitCase cases[] = {
      {"edge ring is 1.3 times wider", 100, 400, {{7, 0}}, KpTowerMenu::kOpen, 100, 503, 7},
      {"edge ring misses the plain ring's place", 100, 400, {{7, 0}}, KpTowerMenu::kOpen, 100, 471, -1},
      {"exactly 32 away is no hit", 500, 400, {{7, 0}}, KpTowerMenu::kOpen, 500, 512, -1},
      {"31 away is a hit", 500, 400, {{7, 0}}, KpTowerMenu::kOpen, 500, 511, 7},
      {"first added of two wins", 500, 400, {{7, 0}, {8, 10}}, KpTowerMenu::kOpen, 507, 480, 7},
      {"first added wins whatever its angle", 500, 400, {{8, 10}, {7, 0}}, KpTowerMenu::kOpen, 500, 480, 8},
      {"opening menu finds nothing", 500, 400, {{7, 0}}, KpTowerMenu::kOpening, 500, 480, -1},
      {"closing menu finds nothing", 500, 400, {{7, 0}}, KpTowerMenu::kClosing, 500, 480, -1},
      {"right side at 90 degrees", 500, 400, {{7, 0}, {9, 90}}, KpTowerMenu::kOpen, 580, 400, 9},
  };
  for (const HitCase& c : cases) {
    SCOPED_TRACE(c.name);
    KpTowerMenu menu;
    menu.centreX = c.centreX;
    menu.centreY = c.centreY;
    for (const PlacedItem& placed : c.items) menu.addItem(1, placed.id)->angle = placed.angle;
    menu.phase = c.phase;
    KpMenuItem* before = menu.items.back().get();
    menu.hoverItem = before;
    EXPECT_EQ(menu.itemAt(c.x, c.y), c.hit);
    if (c.phase != KpTowerMenu::kOpen)
      EXPECT_EQ(menu.hoverItem, before) << "a menu that answers nothing keeps its hovered item";
    else if (c.hit == -1)
      EXPECT_EQ(menu.hoverItem, nullptr);
    else
      EXPECT_EQ(menu.hoverItem->id, c.hit);
  }
}

struct LayoutCase {
  const char* name;
  float centreX, centreY;
  std::vector<int> ids;
  int phase;
  float phaseTime;
  // After laying out, in the menu's order.
  std::vector<int> order;
  std::vector<float> angles;
  float distance;
  float alpha;
};

std::string LayoutName(const LayoutCase& c) { return c.name; }

class TowerMenuLayoutTest : public TowerMenuTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(TowerMenuLayoutTest, PlacesTheItemsOnTheirArc) {
  const LayoutCase& c = GetParam();
  std::unique_ptr<KpTowerMenu> menu = MenuAt(c.centreX, c.centreY, c.ids);
  menu->phase = c.phase;
  menu->phaseTime = c.phaseTime;
  // The second layout neither turns the order back nor moves an item.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    menu->layOutItems();
    EXPECT_EQ(Ids(*menu), c.order);
    ASSERT_EQ(menu->items.size(), c.angles.size());
    EXPECT_FLOAT_EQ(menu->openScale(), c.alpha);
    for (std::size_t i = 0; i < c.angles.size(); ++i) {
      const KpMenuItem& item = *menu->items[i];
      EXPECT_FLOAT_EQ(item.angle, c.angles[i]) << "item " << item.id;
      const MenuPoint at = menu->itemPlace(item);
      const MenuPoint expected = PointOnMenuRing(c.centreX, c.centreY, c.angles[i], c.distance);
      EXPECT_NEAR(at.x, expected.x, 1e-3f);
      EXPECT_NEAR(at.y, expected.y, 1e-3f);
      EXPECT_NEAR(std::hypot(at.x - c.centreX, at.y - c.centreY), c.distance, 1e-3f);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TowerMenuLayoutTest,
    ::testing::Values(
        LayoutCase{"BasicTowersLeftUpDownRightInAnyOrder", 500, 400, {40000, 30000, 10000, 20000},
                   KpTowerMenu::kOpen, 0.0f, {40000, 30000, 10000, 20000}, {90, 0, 270, 180}, 80, 1},
        LayoutCase{"OtherItemsShareTheWholeRing", 500, 400, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f, {1, 2, 3},
                   {0, 120, 240}, 80, 1},
        LayoutCase{"BottomEdgeReversedOnceOnTheUpperHalf", 500, 700, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f, {3, 2, 1},
                   {90, 180, 270}, 104, 1},
        LayoutCase{"RightEdgeReversedOnceOnTheLeftHalf", 950, 400, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f, {3, 2, 1},
                   {180, 270, 360}, 104, 1},
        LayoutCase{"TopEdgeOnTheLowerHalf", 500, 100, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f, {1, 2, 3},
                   {270, 360, 450}, 104, 1},
        LayoutCase{"LeftEdgeOnTheRightHalf", 100, 400, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f, {1, 2, 3},
                   {0, 90, 180}, 104, 1},
        LayoutCase{"TopLeftCornerTakesTheLeftEdgeArcUnreversed", 100, 100, {1, 2, 3}, KpTowerMenu::kOpen, 0.0f,
                   {1, 2, 3}, {0, 90, 180}, 104, 1},
        LayoutCase{"BasicTowersNearAnEdgeFollowTheArc", 500, 700, {10000, 20000}, KpTowerMenu::kOpen, 0.0f,
                   {20000, 10000}, {90, 270}, 104, 1},
        LayoutCase{"OneItemNearAnEdgeStandsAtTheArcStart", 500, 700, {1}, KpTowerMenu::kOpen, 0.0f, {1}, {90}, 104,
                   1},
        LayoutCase{"OpeningHalfway", 500, 400, {10000}, KpTowerMenu::kOpening, 0.1f, {10000}, {270}, 40, 0.5f},
        LayoutCase{"ClosingAQuarter", 500, 400, {10000}, KpTowerMenu::kClosing, 0.05f, {10000}, {270}, 60, 0.75f}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return LayoutName(info.param); });

// The worked example near the bottom edge, in map points: the icons on the
// wide ring, the price labels on the plain one and 30 higher.
TEST_F(TowerMenuTest, NearTheBottomEdgeLabelsStayOnThePlainRing) {
  std::unique_ptr<KpTowerMenu> menu = MenuAt(500, 700, {1, 2, 3});
  menu->phase = KpTowerMenu::kOpen;
  menu->layOutItems();
  const MenuPoint icons[] = {{604, 700}, {500, 596}, {396, 700}};
  const MenuPoint labels[] = {{580, 670}, {500, 590}, {420, 670}};
  for (std::size_t i = 0; i < 3; ++i) {
    const MenuPoint icon = menu->itemPlace(*menu->items[i]);
    const MenuPoint label = menu->labelPlace(*menu->items[i]);
    EXPECT_NEAR(icon.x, icons[i].x, kPlace) << i;
    EXPECT_NEAR(icon.y, icons[i].y, kPlace) << i;
    EXPECT_NEAR(label.x, labels[i].x, kPlace) << i;
    EXPECT_NEAR(label.y, labels[i].y, kPlace) << i;
  }
  EXPECT_EQ(menu->itemAt(604, 700), 3) << "the hit test uses the reversed order and the wide ring";
}

TEST_F(TowerMenuTest, AbilityMarksSpreadBelowTheIconAndShowKnownAddonsOnly) {
  const MenuPoint single = AbilityMarkOffset(0, 1);
  EXPECT_NEAR(single.x, 0.0f, kPlace);
  EXPECT_NEAR(single.y, 35.0f, kPlace);
  const MenuPoint lowerLeft = AbilityMarkOffset(0, 2);
  const MenuPoint lowerRight = AbilityMarkOffset(1, 2);
  EXPECT_NEAR(lowerLeft.x, -17.5f, kPlace) << "330 degrees";
  EXPECT_NEAR(lowerLeft.y, 30.3f, kPlace);
  EXPECT_NEAR(lowerRight.x, 17.5f, kPlace) << "30 degrees";
  EXPECT_NEAR(lowerRight.y, 30.3f, kPlace);

  const struct {
    const char* addon;
    const char* key;
  } keys[] = {{"dot", "dot"},
              {"aim", "aimed"},
              {"splash", "splash"},
              {"fsplash", "firesplash"},
              {"firesplash", "firesplash"},
              {"stun", "stun"},
              {"boost", "towerBoost"},
              {"towerBoost", "towerBoost"},
              {"gold", "goldIncome"},
              {"goldIncome", "goldIncome"},
              {"tele", "teleportEnemy"},
              {"teleportEnemy", "teleportEnemy"},
              {"air", "air"},
              {"star1", "stars1"},
              {"star2", "stars2"},
              {"Air", nullptr},
              {"", nullptr},
              {"ice", nullptr}};
  for (const auto& k : keys) {
    const char* key = AbilityIconKey(k.addon);
    EXPECT_EQ(key ? std::string(key) : std::string("(none)"), k.key ? std::string(k.key) : std::string("(none)"))
        << k.addon;
  }
}

// Prices are whole coins; the label turns red only for what the money cannot
// pay, and a spot's price only while the menu stands open.
TEST_F(TowerMenuTest, PriceLabelsShowWholeCoinsAndWhatTheWalletCannotPay) {
  const math::Point4 white{1, 1, 1, 1}, dear{0.94f, 0.44f, 0.44f, 1}, red{1, 0, 0, 1};
  tinyxml2::XMLDocument level;
  ASSERT_EQ(level.Parse(R"(<spot x="1" y="2"><p name="cost_gold" value="40"/><p name="cost_real" value="2"/></spot>)"),
            tinyxml2::XML_SUCCESS);
  KpSpot spot(*level.RootElement());
  KpFrameEntry spotImage;
  spotImage.spot = &spot;

  const struct {
    const char* name;
    int kind;
    float price;
    float tierCost;
    bool buySpot;
    int phase;
    int money, gems;
    const char16_t* text;
    math::Point4 colour;
  } cases[] = {
      {"money one short", KpTowerMenu::kBuild, 100, 0, false, KpTowerMenu::kOpen, 99, 0, u"$100", dear},
      {"money just enough", KpTowerMenu::kBuild, 100, 0, false, KpTowerMenu::kOpen, 100, 0, u"$100", white},
      {"fraction dropped", KpTowerMenu::kBuild, 99.9f, 0, false, KpTowerMenu::kOpen, 99, 0, u"$99", white},
      {"short while opening too", KpTowerMenu::kTower, 150, 0, false, KpTowerMenu::kOpening, 10, 0, u"$150", dear},
      {"level-up shows the tier cost", KpTowerMenu::kLevelUp, 0, 35, false, KpTowerMenu::kOpen, 30, 0, u"$35", dear},
      {"spot gems short while open", KpTowerMenu::kBuySpot, 0, 0, true, KpTowerMenu::kOpen, 40, 1, u"$40; #2", red},
      {"spot money short while open", KpTowerMenu::kBuySpot, 0, 0, true, KpTowerMenu::kOpen, 39, 2, u"$40; #2", red},
      {"spot short while opening", KpTowerMenu::kBuySpot, 0, 0, true, KpTowerMenu::kOpening, 0, 0, u"$40; #2", white},
      {"spot short while closing", KpTowerMenu::kBuySpot, 0, 0, true, KpTowerMenu::kClosing, 0, 0, u"$40; #2", white},
      {"spot paid for", KpTowerMenu::kBuySpot, 0, 0, true, KpTowerMenu::kOpen, 40, 2, u"$40; #2", white},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KpTowerMenu menu;
    menu.kind = c.kind;
    KpMenuItem* item = nullptr;
    if (c.buySpot) {
      menu.openBuySpotMenu(&spotImage);
      item = menu.items.back().get();
    } else {
      item = menu.addItem(1, 1);
      item->price = c.price;
      item->proto = std::make_unique<KpProto>();
      item->proto->tierCost = c.tierCost;
    }
    menu.phase = c.phase;
    const std::optional<MenuPriceLabel> label = menu.priceLabel(*item, c.money, c.gems);
    ASSERT_TRUE(label.has_value());
    EXPECT_EQ(label->text, c.text);
    EXPECT_EQ(label->colour.r, c.colour.r);
    EXPECT_EQ(label->colour.g, c.colour.g);
    EXPECT_EQ(label->colour.b, c.colour.b);
    EXPECT_EQ(label->colour.a, c.colour.a);
  }
  KpTowerMenu sell;
  EXPECT_FALSE(sell.priceLabel(*sell.addItem(0, 0), 0, 0).has_value()) << "selling shows no price";
}

TEST_F(TowerMenuTest, BuySpotTextNamesOnlyThePricesTheSpotAsks) {
  const struct {
    const char* spot;
    const char* text;
  } cases[] = {
      {R"(<spot x="1" y="2"><p name="cost_gold" value="120"/><p name="cost_real" value="2"/></spot>)", "$120; #2"},
      {R"(<spot x="1" y="2"><p name="cost_gold" value="120"/></spot>)", "$120"},
      {R"(<spot x="1" y="2"><p name="cost_real" value="3"/></spot>)", "#3"},
  };
  for (const auto& c : cases) {
    tinyxml2::XMLDocument level;
    ASSERT_EQ(level.Parse(c.spot), tinyxml2::XML_SUCCESS);
    KpSpot spot(*level.RootElement());
    KpFrameEntry spotImage;
    spotImage.spot = &spot;
    KpTowerMenu menu;
    menu.openBuySpotMenu(&spotImage);
    EXPECT_EQ(menu.kind, KpTowerMenu::kBuySpot);
    EXPECT_EQ(menu.spotEntry, &spotImage);
    ASSERT_EQ(menu.items.size(), 1u);
    const KpMenuItem& item = *menu.items.front();
    EXPECT_EQ(item.priceText, c.text);
    EXPECT_EQ(item.id, 1);
    EXPECT_EQ(item.slot, 1);
    EXPECT_EQ(item.angle, 90.0f);
    EXPECT_EQ(item.proto, nullptr);
  }
}

}  // namespace
